#pragma once
// CEditShowList (id 2015): the macro library tree. Rows are the library's visible rows
// (MacroLibrary::RowToLocation), 20 design pixels high, indented by level, folders with an open
// or closed folder picture. A press selects a row (LibrarySelection follows it) and a press in
// a folder's icon column opens or closes the folder; a double click toggles the row's open flag.
// Reports CN_CLICKED on release, CN_DOUBLE_CLICKED, and CN_RIGHT_CLICKED with wParam = address
// of the (x, y) Point, valid during the report only.
#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

namespace vexmo {

class MacroLibrary;

inline constexpr uint32_t kEditShowListId = 2015;
inline constexpr int kListRowHeight = 20;

class CEditShowList : public CControlBase {
public:
    CEditShowList(HWND parent, const Rect& rect, const std::string& caption, bool visible = true,
                  bool shown = true, bool disabled = false, int unused = 0);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM, int x, int y) override { return ReferenceMove(state, x, y); }
    bool OnLButtonDown(WPARAM flags, int x, int y) override;
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
    bool OnLButtonDblClk(WPARAM flags, int x, int y) override;
    bool OnRButtonUp(WPARAM flags, int x, int y) override;
    void ReleaseImages() override;

    bool SetOpenFolderImage(std::string_view path) {
        return LoadImageFile(path, openFolderImage, iconWidth, iconHeight);
    }
    bool SetClosedFolderImage(std::string_view path) {
        return LoadImageFile(path, closedFolderImage, iconWidth, iconHeight);
    }
    void SetLibrary(MacroLibrary* shown) { library = shown; }
    // Scrolls so that the selection (or the end of the list) is in view.
    void EnsureSelectionVisible();

    SkinImage openFolderImage;
    SkinImage closedFolderImage;
    int iconWidth = 0;
    int iconHeight = 0;
    int state = StateNormal;
    MacroLibrary* library = nullptr;
    int selectedRow = -1;
    int visibleRows = 0;
    int firstRow = 0;

private:
    int RowCount() const;
    // The row under y (index into the library's rows), or -1.
    int RowAt(int y) const;
    // Selects the row under (x, y); true when a row is there.
    bool SelectAt(int y);
};

} // namespace vexmo
