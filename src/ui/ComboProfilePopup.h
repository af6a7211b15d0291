#pragma once
// CComboProfilePopup (kind 7): the profile list. Row 1 is a header, rows 2..6 the five profile
// names (an empty name is an unused slot), row 7 the profile-management entry. A release on a
// named profile or the management row reports notifyMessage with wParam 2 and lParam = the
// row's value; a right release on a named profile reports wParam 11.
#include <array>

#include "ui/WndPopup.h"

namespace vexmo {

inline constexpr int kProfileRows = 5;
// wParam of the profile list's reports.
inline constexpr WPARAM kProfileChosen = 2;
inline constexpr WPARAM kProfileContext = 11;

class CComboProfilePopup : public CWndPopup {
public:
    explicit CComboProfilePopup(std::string_view headerPath);

    // Replaces profile name `index` (0..4) and the number kept with it.
    void SetProfileName(int index, const std::string& name, int number);
    // The row drawn as the active profile (1..5; row 0 is the header).
    void SetActiveRow(int row) { activeRow = row; }

    std::array<std::string, kProfileRows> names;
    std::array<int, kProfileRows> numbers{};
    int activeRow = 1;

protected:
    void DrawItems(CCanvas& dc, const Rect& client) override;
    void InitItems() override;
    bool OnRelease(int x, int y) override;
    bool OnRightRelease(int x, int y) override;
    LayoutMetrics Metrics() const override { return {229, 230, 25, 0, 230}; }

private:
    SkinImage header_;
};

} // namespace vexmo
