#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/mainScreen.h"
#include "app/program.h"
#include "controls/eventCodes.h"
#include "controls/roleColours.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/mainScreenScript.h"
#include "support/screenReader.h"

// F4 adds extra payments to the plan and lists them; F5 shows the plan's totals. Expected
// figures come from the exact model of the month rule (scripts/paymentModel.py, `plan`).

namespace {

constexpr int F4 = EVENT_F4 - EVENT_KEY_BASE;
constexpr int F5 = EVENT_F5 - EVENT_KEY_BASE;
constexpr int PANEL_MESSAGE_ROW = 8;
constexpr int PANEL_TEXT_COLUMN = 44;
constexpr int FIRST_LISTED_ROW = 12;

std::string trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

// F4 with the offered month typed over by `month`, then the amount and Enter.
void extraInF4(const std::string& month, const std::string& amount) {
  headless::extendedKey(F4);
  headless::type(month + "\t" + amount + "\r");
}

std::string lastScheduleRow(const uint8_t* pixels = nullptr) {
  const std::vector<std::string> rows = mainScript::scheduleRows(pixels);
  return rows.empty() ? "" : rows.back();
}

// F4's panel ends half a row below its last row: its buttons', or its list's last line.
void expectExtraPanelBottom(const uint8_t* pixels, int lastRow) {
  const int x = screen::columnToX(78), bottom = screen::rowToY(lastRow + 1) - 1 + 8;
  EXPECT_EQ(pixels[bottom * screen::SCREEN_WIDTH + x], DROPDOWNS_COLOUR) << "frame at " << bottom;
  EXPECT_EQ(pixels[(bottom - 1) * screen::SCREEN_WIDTH + x], 0) << "inside at " << bottom - 1;
}

// The F5 panel as shown: its title, its lines from its text column (blanks on the right
// removed) down to the blank before its footer, and the footer's row.
struct TotalsPanelText {
  std::string title;
  std::vector<std::string> lines;
  int footerRow = 0;
};

std::string trimmedEnd(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

TotalsPanelText totalsPanel(const uint8_t* pixels) {
  TotalsPanelText panel;
  panel.title = trimmedEnd(screenReader::textAt(5, 8, 67, pixels));
  for (int row = 7; row <= 28; ++row) {
    const std::string line = trimmedEnd(screenReader::textAt(row, 8, 67, pixels));
    if (line == "Any key or click closes the totals.") {
      panel.footerRow = row;
      break;
    }
    panel.lines.push_back(line);
  }
  while (!panel.lines.empty() && panel.lines.back().empty()) panel.lines.pop_back();
  return panel;
}

// The panel's frame runs along the edges of its area, the blank inside it: from two columns
// left of its text to column 75, half a row above its title and below its footer.
void expectTotalsFrame(const uint8_t* pixels, int footerRow) {
  const int left = screen::columnToX(6), right = screen::columnToX(76) - 1;
  const int top = screen::rowToY(5) - 8, bottom = screen::rowToY(footerRow + 1) - 1 + 8;
  const int middleX = screen::columnToX(7) + 3, middleY = screen::rowToY(6) + 8;
  const auto at = [pixels](int x, int y) { return pixels[y * screen::SCREEN_WIDTH + x]; };
  for (const auto& [x, y, inX, inY] : {std::array<int, 4>{left, middleY, left + 1, middleY},
                                       std::array<int, 4>{right, middleY, right - 1, middleY},
                                       std::array<int, 4>{middleX, top, middleX, top + 1},
                                       std::array<int, 4>{middleX, bottom, middleX, bottom - 1}}) {
    EXPECT_EQ(at(x, y), DROPDOWNS_COLOUR) << "frame at " << x << "," << y;
    EXPECT_EQ(at(inX, inY), 0) << "inside at " << inX << "," << inY;
  }
}

}  // namespace

// The extras change the months stepped, capped by what is owed; the schedule's last line and
// totals are those of the model's plan.
TEST(ExtraPanel, F4AddsAnExtraThatTheScheduleApplies) {
  struct Case {
    const char* name;
    std::function<void()> keys;
    std::string lastRow;
  };
  const std::vector<Case> cases = {
      // 1,000 at 12% paying 100 with 500 in month 3: repaid in month 6, 31.17 interest.
      {"before the schedule",
       [] {
         mainScript::enterInputs("1000", "12", "100");
         extraInF4("3", "500");
         headless::key("\r");
       },
       "(0 years and 6 months)"},
      {"while stepping, in the next month",
       [] {
         mainScript::enterInputs("1000", "12", "100");
         headless::key("\r");
         headless::extendedKey(screen::KEY_DOWN);
         headless::extendedKey(screen::KEY_DOWN);
         extraInF4("3", "500");
       },
       "(0 years and 6 months)"},
      // The last month there can be, after the loan is repaid: it changes nothing.
      {"in month 12000",
       [] {
         mainScript::enterInputs("1000", "12", "100");
         headless::key("\r");
         extraInF4("12000", "500");
       },
       "(0 years and 11 months)"},
      // 5,000 in month 2 is more than is owed: month 2 pays the 819.10 left and its interest.
      {"more than is owed",
       [] {
         mainScript::enterInputs("1000", "12", "100");
         headless::key("\r");
         extraInF4("2", "5000");
       },
       "(0 years and 2 months)"},
      // Two extras, the one in month 3 removed by a click in the list: 50 in month 5 leaves 11
      // months, the last one 5.91.
      {"one of two removed",
       [] {
         mainScript::enterInputs("1000", "12", "100");
         headless::key("\r");
         extraInF4("3", "500");
         extraInF4("5", "50");
         headless::extendedKey(F4);
         headless::click(screen::columnToX(PANEL_TEXT_COLUMN) + 8,
                         screen::rowToY(FIRST_LISTED_ROW) + 8);
         headless::key("\x1b");
       },
       "(0 years and 11 months)"},
      // Added out of the order of their months, both are paid: repaid in month 5.
      {"a later month first",
       [] {
         mainScript::enterInputs("1000", "12", "100");
         headless::key("\r");
         extraInF4("5", "50");
         extraInF4("3", "500");
       },
       "(0 years and 5 months)"},
      {"Esc adds nothing",
       [] {
         mainScript::enterInputs("1000", "12", "100");
         headless::key("\r");
         headless::extendedKey(F4);
         headless::type("3\t500\x1b");
       },
       "(0 years and 11 months)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::reset();
    c.keys();
    headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
    runProgram();
    EXPECT_EQ(lastScheduleRow(), c.lastRow) << screenReader::screenText();
  }
}

TEST(ExtraPanel, RefusedInputsLeaveAMessageAndThePanelOpen) {
  struct Case {
    const char* name;
    std::function<void()> keys;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"month 0", [] { headless::type("0\t100\r"); }, "The month is 1 to 12000"},
      {"beyond the limit", [] { headless::type("12001\t100\r"); }, "The month is 1 to 12000"},
      {"no amount", [] { headless::type("7\t\r"); }, "Type the amount to pay"},
      {"an amount of 0", [] { headless::type("7\t0\r"); }, "Type the amount to pay"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::reset();
    mainScript::enterInputs("1000", "12", "100");
    headless::snapshot();
    headless::extendedKey(F4);
    c.keys();
    headless::snapshot();
    headless::key("\x1b");
    headless::snapshot();
    runProgram();
    EXPECT_EQ(trimmed(screenReader::textAt(PANEL_MESSAGE_ROW, PANEL_TEXT_COLUMN, 34,
                                           mainScript::snapshot(1))),
              c.message);
    const uint8_t* before = mainScript::snapshot(0);
    EXPECT_TRUE(std::equal(before, before + 640 * 480, mainScript::snapshot(2)));
  }
}

// A month already stepped is offered no more: the first month F4 takes is the next one.
TEST(ExtraPanel, OffersTheNextMonthAndRefusesAMonthStepped) {
  headless::reset();
  mainScript::enterInputs("1000", "12", "100");
  headless::key("\r");
  for (int i = 0; i < 4; ++i) headless::extendedKey(screen::KEY_DOWN);
  headless::extendedKey(F4);
  headless::snapshot();
  headless::type("3\t500\r");
  headless::snapshot();
  runProgram();
  EXPECT_EQ(trimmed(screenReader::textAt(6, 53, 5, mainScript::snapshot(0))), "5");
  expectExtraPanelBottom(mainScript::snapshot(0), 9);
  EXPECT_EQ(trimmed(screenReader::textAt(PANEL_MESSAGE_ROW, PANEL_TEXT_COLUMN, 34,
                                         mainScript::snapshot(1))),
            "The month is 5 to 12000");
}

// A click that removes an extra leaves the month and amount being typed as they were.
TEST(ExtraPanel, RemovingAnExtraKeepsWhatIsTyped) {
  headless::reset();
  mainScript::enterInputs("1000", "12", "100");
  headless::key("\r");
  extraInF4("3", "500");
  extraInF4("5", "50");
  headless::extendedKey(F4);
  headless::type("9\t25");
  headless::click(screen::columnToX(PANEL_TEXT_COLUMN) + 8, screen::rowToY(FIRST_LISTED_ROW) + 8);
  headless::snapshot();
  headless::key("\x1b");
  runProgram();
  EXPECT_EQ(trimmed(screenReader::textAt(6, 53, 5, mainScript::snapshot(0))), "9");
  EXPECT_EQ(trimmed(screenReader::textAt(7, 53, 16, mainScript::snapshot(0))), "25");
  EXPECT_EQ(trimmed(screenReader::textAt(FIRST_LISTED_ROW, PANEL_TEXT_COLUMN, 30,
                                         mainScript::snapshot(0))),
            "Month 5: 50.00");
  expectExtraPanelBottom(mainScript::snapshot(0), FIRST_LISTED_ROW);
}

// An extra of a month already stepped is listed as paid, in the colour of what is shown, and
// is no button to remove it.
TEST(ExtraPanel, AnExtraOfAMonthSteppedIsListedAsPaid) {
  headless::reset();
  mainScript::enterInputs("1000", "12", "100");
  headless::key("\r");
  extraInF4("3", "500");
  for (int i = 0; i < 4; ++i) headless::extendedKey(screen::KEY_DOWN);
  headless::extendedKey(F4);
  headless::click(screen::columnToX(PANEL_TEXT_COLUMN) + 8, screen::rowToY(FIRST_LISTED_ROW) + 8);
  headless::snapshot();
  headless::key("\x1b");
  runProgram();
  const uint8_t* panel = mainScript::snapshot(0);
  EXPECT_EQ(trimmed(screenReader::textAt(FIRST_LISTED_ROW, PANEL_TEXT_COLUMN, 30, panel)),
            "Month 3: 500.00 (paid)");
  EXPECT_EQ(screenReader::readCell(FIRST_LISTED_ROW, PANEL_TEXT_COLUMN, panel).ink,
            EXPRESSIONS_COLOUR);
}

// Fifteen extras are listed; the rest are counted below them.
TEST(ExtraPanel, MoreExtrasThanTheListHoldsAreCounted) {
  headless::reset();
  mainScript::enterInputs("1000", "12", "100");
  for (int month = 2; month <= 17; ++month) extraInF4(std::to_string(month), "1");
  headless::extendedKey(F4);
  headless::snapshot();
  headless::key("\x1b");
  runProgram();
  const uint8_t* panel = mainScript::snapshot(0);
  EXPECT_EQ(trimmed(screenReader::textAt(FIRST_LISTED_ROW + 14, PANEL_TEXT_COLUMN, 30, panel)),
            "Month 16: 1.00");
  EXPECT_EQ(trimmed(screenReader::textAt(FIRST_LISTED_ROW + 15, PANEL_TEXT_COLUMN, 30, panel)),
            "and 1 more");
  EXPECT_EQ(screenReader::readCell(FIRST_LISTED_ROW + 15, PANEL_TEXT_COLUMN, panel).ink,
            EXPRESSIONS_COLOUR);
  expectExtraPanelBottom(panel, FIRST_LISTED_ROW + 15);
}

// The figures are the schedule command's summary for the same plan, line for line.
TEST(TotalsPanel, F5ShowsThePlansTotalsProjectedToTheEnd) {
  // 1,000 at 12% paying 100, with 500 in month 3.
  const std::vector<std::string> WITH_500_IN_MONTH_3 = {
      "Payment: 100.00",     "Months: 6 (0 years and 6 months)",
      "Total paid: 1031.17", "Total interest: 31.17",
      "Last payment: 31.17", "Without the extra payments and kept end dates:",
      "Payment: 100.00",     "Months: 11 (0 years and 11 months)",
      "Total paid: 1058.98", "Total interest: 58.98",
      "Last payment: 58.98", "Saved: 5 months, 27.81 interest"};
  // 250,000 at 6.5% for 30 years, with 10,000 in month 24.
  const std::vector<std::string> WITH_10000_IN_MONTH_24 = {
      "Payment: 1580.18",      "Months: 325 (27 years and 1 months)",
      "Total paid: 522969.93", "Total interest: 272969.93",
      "Last payment: 991.61",  "Without the extra payments and kept end dates:",
      "Payment: 1580.18",      "Months: 360 (30 years and 0 months)",
      "Total paid: 568853.80", "Total interest: 318853.80",
      "Last payment: 1569.18", "Saved: 35 months, 45883.87 interest"};
  struct Case {
    const char* name;
    std::function<void()> keys;
    std::vector<std::string> lines;
    bool refused = false;  // the plan cannot run: the line is an error message
  };
  const std::vector<Case> cases = {
      {"nothing typed", [] {}, {"Enter a loan, a rate and a payment first"}, true},
      {"a payment short of the interest",
       [] { mainScript::enterInputs("250000", "6", "1000"); },
       {"Payment must be >= interest due ($1,250.00)"},
       true},
      {"the form, not yet confirmed",
       [] { mainScript::enterInputs("1000", "12", "100"); },
       {"Payment: 100.00", "Months: 11 (0 years and 11 months)", "Total paid: 1058.98",
        "Total interest: 58.98", "Last payment: 58.98"}},
      {"the form with an extra, not yet confirmed",
       [] {
         mainScript::enterInputs("1000", "12", "100");
         extraInF4("3", "500");
       },
       WITH_500_IN_MONTH_3},
      {"in month 1, with an extra in month 3",
       [] {
         mainScript::enterInputs("1000", "12", "100");
         headless::key("\r");
         headless::extendedKey(screen::KEY_DOWN);
         extraInF4("3", "500");
       },
       WITH_500_IN_MONTH_3},
      {"30 years with 10,000 in month 24",
       [] {
         mainScript::enterInputs("250000", "6.5", "1580.18");
         headless::key("\r");
         extraInF4("24", "10000");
       },
       WITH_10000_IN_MONTH_24},
      // The same plan with its payment from F2: `--term 360 --extra 24:10000` (plan 1).
      {"F2 for 30 years, then 10,000 in month 24",
       [] {
         mainScript::enterInputs("250000", "6.5", "");
         mainScript::termInF2("30\r\r\r");
         extraInF4("24", "10000");
         headless::extendedKey(screen::KEY_CTRL_PAGE_DOWN);
       },
       WITH_10000_IN_MONTH_24},
      // Three new payments make a line too long for the panel, broken after a comma:
      // `--change 3::200 --change 4::150 --change 5::120`.
      {"a payment line broken after a comma",
       [] {
         mainScript::enterInputs("1000", "12", "100");
         headless::key("\r");
         headless::extendedKey(screen::KEY_DOWN);
         for (const char* payment : {"200\r\r", "150\r\r", "120\r\r"}) {
           headless::extendedKey(screen::KEY_DOWN);
           mainScript::clickControl(FOCUS_PAYMENT);
           for (int k = 0; k < 6; ++k) headless::extendedKey(screen::KEY_DELETE);
           headless::type(payment);
         }
       },
       {"Payment: 100.00, 200.00 from month 3, 150.00 from month 4,", "  120.00 from month 5",
        "Months: 9 (0 years and 9 months)", "Total paid: 1046.11", "Total interest: 46.11",
        "Last payment: 16.11"}},
      // F2 in month 61 keeps the term's end: `--term 360 --change 61:7.25:keep` (plan 2).
      {"a rate change whose payment F2 solves to keep the end date",
       [] {
         mainScript::fiveYearsOfThirty();
         mainScript::typeOverRate("7.25");
         mainScript::termInF2("\r\r\r");
       },
       {"Payment: 1580.18, 1691.57 from month 61", "Months: 360 (30 years and 0 months)",
        "Total paid: 602274.51", "Total interest: 352274.51", "Last payment: 1684.28",
        "Without the extra payments and kept end dates:", "Payment: 1580.18",
        "Months: 434 (36 years and 2 months)", "Total paid: 685511.72", "Total interest: 435511.72",
        "Last payment: 1293.78", "Saved: 74 months, 83237.21 interest"}},
      // At 20% the first payment no longer covers the interest: the plan without the kept end
      // cannot run, a line too long for the panel, broken (plan 11).
      {"a kept end at a rate the first payment does not cover",
       [] {
         mainScript::fiveYearsOfThirty();
         mainScript::typeOverRate("20");
         mainScript::termInF2("\r\r\r");
       },
       {"Payment: 1580.18, 3928.03 from month 61", "Months: 360 (30 years and 0 months)",
        "Total paid: 1273185.65", "Total interest: 1023185.65", "Last payment: 3893.88",
        "Without the extra payments and kept end dates the plan cannot run:",
        "  in month 61 the payment is below the interest due ($3,900.45)"}},
      // The end of the 40 years, not the earlier one 3.75 reaches: `--term 480 --change
      // 61::keep` (plan 19); keeping it costs.
      {"F2 keeping the term's end at the same rate",
       [] {
         mainScript::enterInputs("204.71", "21.92", "");
         mainScript::termInF2("40\r\r\r");
         mainScript::pageDowns(5);
         mainScript::termInF2("\r\r\r");
       },
       {"Payment: 3.75, 3.73 from month 61", "Months: 380 (31 years and 8 months)",
        "Total paid: 1416.53", "Total interest: 1211.82", "Last payment: 1.66",
        "Without the extra payments and kept end dates:", "Payment: 3.75",
        "Months: 325 (27 years and 1 months)", "Total paid: 1215.21", "Total interest: 1010.50",
        "Last payment: 0.21", "Saved: -55 months, -201.32 interest"}},
      // Another term than the rest of this one is a new payment, nothing kept or compared:
      // `--term 360 --change 61::1744.85`, the payment the model solves for 240 months.
      {"F2 solving for a shorter term",
       [] {
         mainScript::fiveYearsOfThirty();
         mainScript::termInF2("");
         headless::extendedKey(screen::KEY_DELETE);
         headless::extendedKey(screen::KEY_DELETE);
         headless::type("20\r\r\r");
       },
       {"Payment: 1580.18, 1744.85 from month 61", "Months: 300 (25 years and 0 months)",
        "Total paid: 513570.15", "Total interest: 263570.15", "Last payment: 1740.20"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::reset();
    c.keys();
    headless::snapshot();
    headless::extendedKey(F5);
    headless::snapshot();
    headless::type("x");
    headless::snapshot();
    runProgram();
    const TotalsPanelText panel = totalsPanel(mainScript::snapshot(1));
    EXPECT_EQ(panel.title, "Totals of the plan, projected to the end");
    EXPECT_EQ(panel.lines, c.lines) << screenReader::screenText(mainScript::snapshot(1));
    EXPECT_EQ(panel.footerRow, 8 + static_cast<int>(c.lines.size()));
    expectTotalsFrame(mainScript::snapshot(1), panel.footerRow);
    EXPECT_EQ(screenReader::readCell(7, 8, mainScript::snapshot(1)).ink,
              c.refused ? ERROR_MESSAGES_COLOUR : EXPRESSIONS_COLOUR);
    const uint8_t* before = mainScript::snapshot(0);
    EXPECT_TRUE(std::equal(before, before + 640 * 480, mainScript::snapshot(2)));
  }
}
