#pragma once

// The event codes the input loop hands to the screens. 1 to 255 is a character the current mask
// admits; control keys, extended keys and mouse actions are 65280 + their code; the recall
// commands of a macro are 63232 + 1 to 9.

#include <cstdint>

using EventCode = int32_t;

constexpr EventCode EVENT_KEY_BASE = 65280;    // 0xFF00
constexpr EventCode EVENT_MACRO_BASE = 63232;  // 0xF700

constexpr EventCode EVENT_CTRL_C = 65283;
constexpr EventCode EVENT_BACKSPACE = 65288;
constexpr EventCode EVENT_TAB = 65289;
constexpr EventCode EVENT_CTRL_ENTER = 65290;
constexpr EventCode EVENT_ENTER = 65293;
constexpr EventCode EVENT_SHIFT_TAB = 65295;
constexpr EventCode EVENT_CTRL_V = 65302;
constexpr EventCode EVENT_CTRL_X = 65304;
constexpr EventCode EVENT_ESC = 65307;
constexpr EventCode EVENT_FUNCTION_KEY_0 = 65338;         // F1 to F10 follow, one code each
constexpr EventCode EVENT_F1 = EVENT_FUNCTION_KEY_0 + 1;  // the help
constexpr EventCode EVENT_F2 = EVENT_FUNCTION_KEY_0 + 2;  // the payment or the loan for a term
constexpr EventCode EVENT_F3 = EVENT_FUNCTION_KEY_0 + 3;  // the chart
constexpr EventCode EVENT_F4 = EVENT_FUNCTION_KEY_0 + 4;  // extra payments
constexpr EventCode EVENT_F5 = EVENT_FUNCTION_KEY_0 + 5;  // the totals
constexpr EventCode EVENT_WHEEL_UP = 65349;
constexpr EventCode EVENT_WHEEL_DOWN = 65350;
constexpr EventCode EVENT_HOME = 65351;
constexpr EventCode EVENT_UP = 65352;
constexpr EventCode EVENT_LEFT = 65355;
constexpr EventCode EVENT_RIGHT = 65357;
constexpr EventCode EVENT_END = 65359;
constexpr EventCode EVENT_DOWN = 65360;
constexpr EventCode EVENT_PAGE_DOWN = 65361;
constexpr EventCode EVENT_INSERT = 65362;
constexpr EventCode EVENT_DELETE = 65363;
constexpr EventCode EVENT_LEFT_PRESS = 65371;  // also a move while the left button is held
constexpr EventCode EVENT_LEFT_RELEASE = 65372;
constexpr EventCode EVENT_RIGHT_PRESS = 65374;
constexpr EventCode EVENT_RIGHT_RELEASE = 65375;
constexpr EventCode EVENT_CLOSE = 65387;
constexpr EventCode EVENT_CTRL_PAGE_DOWN = 65398;
constexpr EventCode EVENT_RECALL_FIRST = 63233;
constexpr EventCode EVENT_RECALL_LAST = 63241;
