#pragma once

#include "ui/colors.h"

// The ten action buttons C_guolv_ks: 0-4 stand in the result column, 5-9 in
// the set-operation panel. All ten enter Fmain::dispatch_action.
enum Action {
    Shrink,
    CopyResult,
    ToGroups,
    ResetConditions,
    Invert,
    CopySetResult,
    Intersection,
    Union,
    AWithoutB,
    BWithoutA,
    ActionCount
};

struct ActionButtonSpec
{
    const char16_t *caption;
    int colour;
};

constexpr ActionButtonSpec kActionButtons[ActionCount] = {
    {u"[开始缩水]", Colour::LightGreen},
    {u"复制号码", Colour::LightGreen},
    {u"转为组选", Colour::LightGreen},
    {u"清空条件", Colour::LightYellow},
    {u"反选", Colour::LightGreen},
    {u"复制号码", Colour::Grey},
    {u"A.B交集", Colour::Grey},
    {u"A.B并集", Colour::Grey},
    {u"A排除B", Colour::Grey},
    {u"B排除A", Colour::Grey},
};
