#include "ui/RadioButton.h"

#include <array>

#include "ui/UiGlobals.h"

namespace vexmo {

namespace {
struct RadioEntry {
    uint32_t id;
    RadioMember member;
};
constexpr std::array kRadioGroups{
    RadioEntry{2006, {0x7F, 0x1}},          RadioEntry{2080, {0x7F, 0x2}},
    RadioEntry{2081, {0x7F, 0x4}},          RadioEntry{2082, {0x7F, 0x8}},
    RadioEntry{2083, {0x7F, 0x10}},         RadioEntry{2084, {0x7F, 0x20}},
    RadioEntry{2085, {0x7F, 0x40}},         RadioEntry{2009, {0x180, 0x80}},
    RadioEntry{2010, {0x180, 0x100}},       RadioEntry{3501, {0x600, 0x200}},
    RadioEntry{3502, {0x600, 0x400}},       RadioEntry{3240, {0x1800, 0x800}},
    RadioEntry{3250, {0x1800, 0x1000}},     RadioEntry{2031, {0xE000, 0x2000}},
    RadioEntry{2032, {0xE000, 0x4000}},     RadioEntry{2033, {0xE000, 0x8000}},
    RadioEntry{3030, {0xF0000, 0x10000}},   RadioEntry{3031, {0xF0000, 0x20000}},
    RadioEntry{3032, {0xF0000, 0x40000}},   RadioEntry{3033, {0xF0000, 0x80000}},
    RadioEntry{3510, {0x300000, 0x100000}}, RadioEntry{3511, {0x300000, 0x200000}},
};
} // namespace

std::optional<RadioMember> RadioMemberOf(uint32_t id) {
    for (const RadioEntry& entry : kRadioGroups)
        if (entry.id == id)
            return entry.member;
    return std::nullopt;
}

CRadioButton::CRadioButton(HWND parent, uint32_t id, const Rect& rect, const std::string& caption,
                           bool visible, bool shown, bool disabled, int /*unused*/)
    : CControlBase(parent, id, rect, caption, visible, shown, disabled, true) {}

bool CRadioButton::OnMouseMove(WPARAM, int x, int y) {
    if (disabled || state == StatePressed)
        return false;
    return ChangeState(state, Contains(x, y) ? StateHover : StateNormal);
}

bool CRadioButton::OnLButtonDown(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    const bool changed = ChangeState(state, StatePressed);
    Notify(0, CN_PRESSED);
    return changed;
}

bool CRadioButton::OnLButtonUp(WPARAM, int x, int y) {
    if (disabled)
        return false;
    if (!Contains(x, y))
        return ChangeState(state, StateNormal);
    const bool changed = ChangeState(state, StateHover);
    Select();
    Notify(0, CN_CLICKED);
    return changed;
}

bool CRadioButton::IsSelected() const {
    const auto member = RadioMemberOf(id);
    return member && (RadioSelectionBits & member->bit) != 0;
}

void CRadioButton::Select() {
    if (const auto member = RadioMemberOf(id))
        RadioSelectionBits = (RadioSelectionBits & ~member->groupMask) + member->bit;
}

void CRadioButton::DrawLook(CCanvas& dc) {
    const int drawn = DrawnState();
    if (HasPicture(stripImage)) {
        DrawStripFrame(dc, stripImage, drawn, frameWidth, frameHeight, rect);
        return;
    }
    const RectF source{0, 0, static_cast<float>(frameWidth), static_cast<float>(frameHeight)};
    const SkinImage& picture = drawn == StateNormal  ? normalImage
                               : drawn == StateHover ? hoverImage
                                                     : selectedImage;
    DrawPicture(dc, picture, rect, source);
}

void CRadioButton::Draw(CCanvas& dc, Rect) {
    DrawLook(dc);
}

void CRadioButton::ReleaseImages() {
    stripImage.reset();
    normalImage.reset();
    hoverImage.reset();
    selectedImage.reset();
}

bool CRadioButton::SetStripImage(std::string_view path) {
    return LoadStripFile(path, stripImage, 3, frameWidth, frameHeight);
}
bool CRadioButton::SetNormalImage(std::string_view path) {
    return LoadImageFile(path, normalImage, frameWidth, frameHeight);
}
bool CRadioButton::SetHoverImage(std::string_view path) {
    return LoadImageFile(path, hoverImage, frameWidth, frameHeight);
}
bool CRadioButton::SetSelectedImage(std::string_view path) {
    return LoadImageFile(path, selectedImage, frameWidth, frameHeight);
}

} // namespace vexmo
