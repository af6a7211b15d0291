#pragma once
// CControlBase: a windowless skinned control. It owns a rectangle in its owner window's client
// area, draws itself into the canvas the owner hands it and reacts to the mouse events the owner
// forwards (see DlgBase.h). It reports to the owner with a synchronous SendMessage whose number
// is the control's id and whose lParam is one of the CN_ codes below.
//
// Ownership: the owner window owns its controls and deletes them through the virtual
// destructor; each control owns its pictures and font.
#include <cstdint>
#include <string>

#include "platform/core/Canvas.h"
#include "platform/core/Font.h"
#include "platform/core/Messages.h"
#include "platform/core/Types.h"

namespace vexmo {

// Notification codes (lParam of a control's report).
inline constexpr LPARAM CN_PRESSED = 1;
inline constexpr LPARAM CN_CLICKED = 2;
inline constexpr LPARAM CN_VALUE_CHANGED = 3;
inline constexpr LPARAM CN_HOVER_ENTER = 4;
inline constexpr LPARAM CN_HOVER_LEAVE = 5;
inline constexpr LPARAM CN_DOUBLE_CLICKED = 10;
inline constexpr LPARAM CN_RIGHT_CLICKED = 11;
inline constexpr LPARAM CN_HOVER_MOVE = 12;

// Visual states.
inline constexpr int StateNormal = 0;
inline constexpr int StateHover = 1;
inline constexpr int StatePressed = 2;

class CControlBase {
public:
    CControlBase(HWND parent, uint32_t id, const Rect& rect, const std::string& text, bool visible,
                 bool shown, bool disabled, bool acceptsInput);
    virtual ~CControlBase() = default;
    CControlBase(const CControlBase&) = delete;
    CControlBase& operator=(const CControlBase&) = delete;

    virtual void Draw(CCanvas& dc, Rect clip) = 0;
    // Called with 0 on the pressed control when the owner closes a popup.
    virtual int ReleasePress(int /*value*/) { return 0; }
    virtual void SetRect(int left, int top, int right, int bottom) { rect = {left, top, right, bottom}; }
    virtual Rect GetRect() const { return rect; }
    // Stores a different text and repaints the control; the same text changes nothing.
    virtual void SetText(const std::string& newText);
    virtual std::string GetText() const { return text; }
    virtual void SetVisible(bool value) { visible = value; }
    virtual void SetShown(bool value) { shown = value; }
    // Mouse events in the owner's client coordinates. True: the look changed, repaint rect.
    virtual bool OnMouseMove(WPARAM /*flags*/, int /*x*/, int /*y*/) { return false; }
    virtual bool OnLButtonDown(WPARAM /*flags*/, int /*x*/, int /*y*/) { return false; }
    virtual bool OnLButtonUp(WPARAM /*flags*/, int /*x*/, int /*y*/) { return false; }
    virtual bool OnRButtonUp(WPARAM /*flags*/, int /*x*/, int /*y*/) { return false; }
    virtual bool OnLButtonDblClk(WPARAM /*flags*/, int /*x*/, int /*y*/) { return false; }
    // Frees every picture the control holds.
    virtual void ReleaseImages() {}

    // Replaces the caption font (the character set stays UiFontCharset).
    void SetFont(int height, const std::string& face);

    // Painted and hit-tested only when both visible and shown.
    bool IsDrawn() const { return visible && shown; }
    bool TakesInput() const { return IsDrawn() && acceptsInput; }
    bool Contains(int x, int y) const { return rect.Contains({x, y}); }

    uint32_t id = 0;
    Rect rect;
    bool visible = true;
    bool shown = true;
    bool disabled = false;
    bool acceptsInput = true;
    std::string text;
    HWND parent = 0;
    CFont font;
    // Kept for the owners that stash a note in it; the controls never read it.
    std::string auxText;

protected:
    // Synchronous report to the owner; the owner may change this control from its handler.
    LRESULT Notify(uint32_t message, WPARAM wParam, LPARAM lParam) const;
    LRESULT Notify(WPARAM wParam, LPARAM lParam) const { return Notify(id, wParam, lParam); }
    void InvalidateOwner(const Rect& area) const;
    // The reference button rules most classes share. Move: ignored while disabled or pressed,
    // else hover inside and normal outside. Press inside: pressed, CN_PRESSED (wParam 0).
    // Release: ignored while disabled; inside hover (the caller then reports), outside normal.
    // Each returns whether `state` changed; `inside` tells the release's caller where it was.
    bool ReferenceMove(int& state, int x, int y) const;
    bool ReferencePress(int& state, int x, int y) const;
    bool ReferenceRelease(int& state, int x, int y, bool& inside) const;
    // Sets `state` and says whether it changed.
    static bool ChangeState(int& state, int newState) {
        const bool changed = state != newState;
        state = newState;
        return changed;
    }
};

// The control font: UiFontHeight/UiFontCharset/UiFontFace unless given.
FontSpec ControlFontSpec(int height, const std::string& face);

} // namespace vexmo
