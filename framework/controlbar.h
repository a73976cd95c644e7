#pragma once
// Styles and show states shared by frames and their bars. Only what this program's frames use has an
// effect: the side a bar sits on; tool tips and status prompts are always on.
enum : unsigned {
    CBRS_ALIGN_LEFT = 0x1000,
    CBRS_ALIGN_TOP = 0x2000,
    CBRS_ALIGN_RIGHT = 0x4000,
    CBRS_ALIGN_BOTTOM = 0x8000,
    CBRS_ALIGN_ANY = 0xF000,
    CBRS_BORDER_TOP = 0x0200,
    CBRS_BORDER_BOTTOM = 0x0800,
    CBRS_TOOLTIPS = 0x0010,
    CBRS_FLYBY = 0x0020,
    CBRS_SIZE_DYNAMIC = 0x0080,
    CBRS_HIDE_INPLACE = 0x0008,
    CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM,
    CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP,
};

// Show states for ShowWindow / ActivateFrame.
enum : int {
    SW_HIDE = 0,
    SW_SHOWNORMAL = 1,
    SW_SHOWMINIMIZED = 2,
    SW_SHOWMAXIMIZED = 3,
    SW_SHOW = 5,
    SW_MINIMIZE = 6,
    SW_RESTORE = 9,
    SW_SHOWDEFAULT = 10,
};
