#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/calculatorState.h"
#include "app/mainScreen.h"
#include "app/schedule.h"
#include "cli/scheduleCommand.h"
#include "support/freshScreen.h"
#include "support/mainScreenScript.h"
#include "support/screenReader.h"

namespace {

struct Output {
  int status = -1;
  std::string out, err;
  std::vector<std::string> lines;  // of out
};

// What the command handed on in pieces, as standard output gets it, and its largest piece.
std::string handedOn;
size_t largestPiece = 0;

// The command as it runs for standard output: a long schedule goes out in pieces, then the rest.
Output runCommand(const std::vector<std::string>& args) {
  std::vector<const char*> argv = {"quillo", "schedule"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  Output o;
  handedOn.clear();
  largestPiece = 0;
  o.status = scheduleCommand(static_cast<int>(argv.size()), argv.data(), o.out, o.err,
                             [](std::string& piece) {
                               largestPiece = std::max(largestPiece, piece.size());
                               handedOn += piece;
                               piece.clear();
                               return true;
                             });
  o.out.insert(0, handedOn);
  size_t start = 0;
  for (size_t end; (end = o.out.find('\n', start)) != std::string::npos; start = end + 1) {
    o.lines.push_back(o.out.substr(start, end - start));
  }
  EXPECT_EQ(start, o.out.size()) << "the output ends with a line end";
  return o;
}

const std::string HEADER = "Month,Rate,Payment,Interest,Principal,Remainder,Total interest";

// Figures worked out by hand and with exact rational arithmetic rounded as the calculator
// rounds (64-bit significand for the interest, halves of a cent decided on the exact value).
TEST(ScheduleCommand, PrintsEveryMonthAsWorkedOutIndependently) {
  struct Case {
    std::vector<std::string> args;
    size_t months;
    std::vector<std::string> firstLines, lastLines;  // the month lines; the totals line follows
    std::string totals;
  };
  const std::vector<Case> cases = {
      {{"1000", "12", "100", "--format=csv"},
       11,
       {"1,12,100.00,10.00,90.00,910.00,10.00", "2,12,100.00,9.10,90.90,819.10,19.10"},
       {"10,12,100.00,1.57,98.43,58.40,58.40", "11,12,58.98,0.58,58.40,0.00,58.98"},
       "(0 years and 11 months)"},
      // 0.40 less four times 0.10 leaves a residue of about 3E-17, which counts as repaid.
      {{"0.40", "0", "0.10"},
       4,
       {"1,0,0.10,0.00,0.10,0.30,0.00"},
       {"4,0,0.10,0.00,0.10,0.00,0.00"},
       "(0 years and 4 months)"},
      // 12 / 1200 * 1007.5 lies just below 10.075.
      {{"1007.5", "12", "100"},
       11,
       {"1,12,100.00,10.07,89.93,917.57,10.07"},
       {"11,12,67.35,0.66,66.69,0.00,59.85"},
       "(0 years and 11 months)"},
      {{"1200.5", "12", "12.01"},
       783,
       {"1,12,12.01,12.01,0.00,1200.50,12.01", "2,12,12.01,12.00,0.01,1200.49,24.01"},
       {"782,12,12.01,0.16,11.85,3.82,8195.14", "783,12,3.86,0.04,3.82,0.00,8195.18"},
       "(65 years and 3 months)"},
      // No payment: the interest due, exactly covered for a thousand years.
      {{"250,000", "6"},
       12000,
       {"1,6,1250.00,1250.00,0.00,250000.00,1250.00"},
       {"12000,6,1250.00,1250.00,0.00,250000.00,15000000.00"},
       "(1000 years and 0 months)  and you still haven't paid it off!!!"},
      // The reminder follows what is still owed, not the month limit.
      {{"12000", "0", "1"},
       12000,
       {"1,0,1.00,0.00,1.00,11999.00,0.00"},
       {"12000,0,1.00,0.00,1.00,0.00,0.00"},
       "(1000 years and 0 months)"},
      {{"12000.01", "0", "1"},
       12000,
       {},
       {"12000,0,1.00,0.00,1.00,0.01,0.00"},
       "(1000 years and 0 months)  and you still haven't paid it off!!!"},
      // What is left is a rounding residue at most 0.004: repaid.
      {{"12000.003", "0", "1"},
       12000,
       {},
       {"12000,0,1.00,0.00,1.00,0.00,0.00"},
       "(1000 years and 0 months)"},
      {{"12000.006", "0", "1"},
       12000,
       {},
       {"12000,0,1.00,0.00,1.00,0.01,0.00"},
       "(1000 years and 0 months)  and you still haven't paid it off!!!"},
      // A change in the last month allowed: 3% of 250,000 is 625.00.
      {{"250,000", "6", "--change", "12000:3:"},
       12000,
       {},
       {"11999,6,1250.00,1250.00,0.00,250000.00,14998750.00",
        "12000,3,1250.00,625.00,625.00,249375.00,14999375.00"},
       "(1000 years and 0 months)  and you still haven't paid it off!!!"},
      {{"1000", "12", "100", "--change", "2:24:"},
       12,
       {"1,12,100.00,10.00,90.00,910.00,10.00", "2,24,100.00,18.20,81.80,828.20,28.20"},
       {"12,24,14.60,0.29,14.31,0.00,114.60"},
       "(1 years and 0 months)"},
      {{"1,000", "12", "100", "--change=3::50"},
       20,
       {"1,12,100.00,10.00,90.00,910.00,10.00", "2,12,100.00,9.10,90.90,819.10,19.10"},
       {"19,12,50.00,0.97,49.03,48.54,98.54", "20,12,49.03,0.49,48.54,0.00,99.03"},
       "(1 years and 8 months)"},
      // The changes apply in the order of their months, whatever their order here.
      {{"30000", "4.5", "300", "--change", "100:9.75:1000", "--change", "50::"},
       107,
       {"1,4.5,300.00,112.50,187.50,29812.50,112.50"},
       {"106,9.75,1000.00,14.84,985.16,841.44,7541.44", "107,9.75,848.28,6.84,841.44,0.00,7548.28"},
       "(8 years and 11 months)"},
      // The payment for a term: the smallest that repays within it.
      {{"1000", "12", "--term", "11"},
       11,
       {"1,12,96.46,10.00,86.46,913.54,10.00"},
       {"11,12,96.39,0.95,95.44,0.00,60.99"},
       "(0 years and 11 months)"},
      // An extra payment in month 3 on top of the payment.
      {{"1000", "12", "100", "--extra", "3:500"},
       6,
       {"1,12,100.00,10.00,90.00,910.00,10.00", "2,12,100.00,9.10,90.90,819.10,19.10",
        "3,12,600.00,8.19,591.81,227.29,27.29"},
       {"6,12,31.17,0.31,30.86,0.00,31.17"},
       "(0 years and 6 months)"},
      // Typed amounts are whole cents, half up on the digits as typed: 100.015 is 100.02.
      {{"1000", "12", "100.015"},
       11,
       {"1,12,100.02,10.00,90.02,909.98,10.00"},
       {},
       "(0 years and 11 months)"},
      {{"1,000.005", "12", "100"},
       11,
       {"1,12,100.00,10.00,90.00,910.01,10.00"},
       {},
       "(0 years and 11 months)"},
      {{"0.05", "0", "0.005"},
       5,
       {"1,0,0.01,0.00,0.01,0.04,0.00"},
       {"5,0,0.01,0.00,0.01,0.00,0.00"},
       "(0 years and 5 months)"},
      // Never in exponent notation: the largest loan and payment.
      {{"999999999.99", "0", "9999999999999.99"},
       1,
       {"1,0,999999999.99,0.00,999999999.99,0.00,0.00"},
       {},
       "(0 years and 1 months)"},
      // A payment of 0 at a change becomes the interest due on the balance reached.
      {{"100000", "7.25", "800", "--change", "13::0"},
       2056,
       {"1,7.25,800.00,604.17,195.83,99804.17,604.17"},
       {"2056,7.25,56.08,0.34,55.74,0.00,1113984.15"},
       "(171 years and 4 months)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const Output o = runCommand(c.args);
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    ASSERT_EQ(o.lines.size(), c.months + 2);
    EXPECT_EQ(o.lines.front(), HEADER);
    EXPECT_EQ(o.lines.back(), c.totals);
    for (size_t i = 0; i < c.firstLines.size(); ++i) EXPECT_EQ(o.lines[1 + i], c.firstLines[i]);
    for (size_t i = 0; i < c.lastLines.size(); ++i) {
      EXPECT_EQ(o.lines[c.months + 1 - c.lastLines.size() + i], c.lastLines[i]);
    }
    for (size_t month = 1; month <= c.months; ++month) {
      ASSERT_EQ(o.lines[month].substr(0, o.lines[month].find(',')), std::to_string(month));
    }
  }
}

TEST(ScheduleCommand, APaymentBelowTheInterestDueGivesTheMessageAndNoSchedule) {
  struct Case {
    std::vector<std::string> args;
    std::string due;
  };
  const std::vector<Case> cases = {
      {{"250000", "6", "1000"}, "1,250.00"},
      {{"1000", "1", "0.5", "--format", "text"}, "0.84"},
      // After twelve months 5.5% of 246,916.11 is 1,131.70, more than 1,100.
      {{"250000", "6", "1500", "--change", "13:5.5:1100"}, "1,131.70"},
      // Long after the first pieces of the schedule could have gone out.
      {{"250000", "6", "1250", "--change", "2000::1000"}, "1,250.00"},
      {{"250000", "6", "1500", "--change", "13:5.5:1100", "--format", "svg"}, "1,131.70"},
      // 13,415 x 7.2 / 1200 is 80.49 exactly; dividing the rate first comes out a little above.
      {{"13415", "7.2", "80"}, "80.49"},
      // 1,038.40 x 7.5 / 1200 is 6.49 exactly; with a 53-bit product it comes out above.
      {{"1,038.40", "7.5", "6"}, "6.49"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const Output o = runCommand(c.args);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "Payment must be >= interest due ($" + c.due + ")\n");
    EXPECT_EQ(o.out, "");
  }
}

// 12000 months at the interest due go out in pieces of 64 KiB and at most a line more from the
// start, whatever change is still ahead, so the text is never held whole.
// A plan the command cannot carry out says why, and writes nothing of it.
TEST(ScheduleCommand, APlanThatCannotRunSaysWhy) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const std::vector<Case> cases = {
      // The term ends in month 24, but a payment of 100 leaves most of the loan by month 30.
      {{"10000", "6", "--term", "24", "--change", "2::100", "--change", "30:6:keep"},
       2,
       "quillo schedule: The end date to keep, month 24, has already passed in month 30\n"},
      {{"10000", "6", "--term", "24", "--change", "2::100", "--change", "25:6:keep", "--format",
        "summary"},
       2,
       "quillo schedule: The end date to keep, month 24, has already passed in month 25\n"},
      {{"max", "12", "0", "--term", "1"}, 1, "A payment of 0.00 repays no loan within the term\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const Output o = runCommand(c.args);
    EXPECT_EQ(o.status, c.status);
    EXPECT_EQ(o.err, c.err);
    EXPECT_EQ(o.out, "");
  }
}

TEST(ScheduleCommand, ALongScheduleGoesOutInPiecesWhateverIsAhead) {
  const std::string rate16 = "0000000000006.00";
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"250000", "6"},
           {"250000", "6", "--change", "12000::"},
           {"250000", rate16, "--change", "11999:" + rate16 + ":1250", "--format", "text"},
       }) {
    SCOPED_TRACE(testing::PrintToString(args));
    const Output o = runCommand(args);
    EXPECT_EQ(o.status, 0) << o.err;
    ASSERT_GE(o.lines.size(), 12001u);
    EXPECT_EQ(o.lines.back(), "(1000 years and 0 months)  and you still haven't paid it off!!!");
    EXPECT_GT(largestPiece, 0u);
    EXPECT_LE(largestPiece, 64u * 1024 + 200);
  }
}

TEST(ScheduleCommand, ArgumentsItCannotUseAreRefusedWithTheUsage) {
  struct Case {
    std::vector<std::string> args;
    std::string problem;
  };
  std::vector<Case> cases = {
      {{}, "the loan amount and the rate are needed"},
      {{"1000", "12", "100", "5"}, "one amount too many: 5"},
      {{"0", "12", "100"}, "the loan amount must not be 0"},
      {{"1000x", "12"}, "not an amount: 1000x"},
      {{"1000", "12", "1O0"}, "not an amount: 1O0"},
      {{"1000", "12", "--changes", "2::"}, "unknown option --changes"},
      {{"1000", "12", "--formatx", "csv"}, "unknown option --formatx"},
      {{"1000", "12", "--change", "2x:5:"}, "the month of a change is 1 to 12000, not 2x"},
      {{"1000", "1,5"}, "not a rate: 1,5"},
      {{"-1000", "12"}, "unknown option -1000"},
      {{"1000", "12", "--verbose"}, "unknown option --verbose"},
      {{"1000", "12", "--format", "tsv"}, "the format is csv, text, summary or svg, not tsv"},
      {{"0", "12", "100", "--format", "svg"}, "the loan amount must not be 0"},
      {{"1000", "12", "--format"}, "--format needs a value"},
      // The next argument is the value, even one that looks like an option.
      {{"1000", "12", "--format", "--change"},
       "the format is csv, text, summary or svg, not --change"},
      {{"1000", "12", "--change"}, "--change needs a value"},
      {{"1000", "12", "--change", "13:5"}, "a change is MONTH:RATE:PAYMENT, not 13:5"},
      {{"1000", "12", "--change", "13:5:1:2"}, "a change is MONTH:RATE:PAYMENT, not 13:5:1:2"},
      {{"1000", "12", "--change", "0:5:"}, "the month of a change is 1 to 12000, not 0"},
      {{"1000", "12", "--change", "12001:5:"}, "the month of a change is 1 to 12000, not 12001"},
      {{"1000", "12", "--change", "2:a:"}, "not a rate: a"},
      {{"1000", "12", "--change", "2::-5"}, "not an amount: -5"},
      {{"1000", "12", "--change", "2:5:kept"}, "not an amount: kept"},
      {{"1000", "12", "100", "--term", "30y"}, "a payment and a term together: give one of them"},
      {{"max", "12", "--term", "30y"},
       "the largest loan needs a payment and a term: max RATE PAYMENT --term TERM"},
      {{"max", "12", "100"},
       "the largest loan needs a payment and a term: max RATE PAYMENT --term TERM"},
      {{"maximum", "12", "100"}, "not an amount: maximum"},
      {{"1000", "12", "--term"}, "--term needs a value"},
      {{"1000", "12", "--extra"}, "--extra needs a value"},
      {{"1000", "12", "--extra", "5"}, "an extra is MONTH:AMOUNT, not 5"},
      {{"1000", "12", "--extra", "0:5"}, "the month of an extra is 1 to 12000, not 0"},
      {{"1000", "12", "--extra", "2:-5"}, "not an amount: -5"},
      // What the fields would not take: more characters than they hold.
      {{"1000", "12", std::string(400, '1')}, "an amount has at most 16 characters"},
      {{"10000000000000000", "12"}, "an amount has at most 16 characters"},
      {{"1000", "12", "--extra", "2:12345678901234567"}, "an amount has at most 16 characters"},
      // A rate is repeated on every line: no longer than the rate field holds.
      {{"1000", "12345678901234567"}, "a rate has at most 16 characters"},
      {{"1000", "12", "--change", "2:" + std::string(128 * 1024, '1') + ":"},
       "a rate has at most 16 characters"},
      // What the reading would stop short of, or read as nothing.
      {{"1.250.000", "12", "100"}, "an amount has one decimal point at most, not 1.250.000"},
      {{"1000", "12", "1.2.3"}, "an amount has one decimal point at most, not 1.2.3"},
      {{"1000", "1.2.3"}, "a rate has one decimal point at most, not 1.2.3"},
      {{"1000", "12", "--change", "2:6.5.1:"}, "a rate has one decimal point at most, not 6.5.1"},
      {{"1000", "12", "--extra", "2:1.000.5"},
       "an amount has one decimal point at most, not 1.000.5"},
      {{"1000", "", "100"}, "the rate must not be empty (0 for none)"},
      {{"1000", "12", "--extra", "5:"}, "an extra needs an amount: 5:"},
      // Beyond the amounts a schedule keeps exact, wherever they are given.
      {{"5000000000000000", "9999999999999999", "0"}, "Loan must be <= $999,999,999.99"},
      {{"1000", "12", "--change", "2::10000000000000"}, "Payment must be <= $9,999,999,999,999.99"},
      {{"1000", "12", "--extra", "2:10000000000000"}, "Payment must be <= $9,999,999,999,999.99"},
      {{"10,000,000", "6", "--change", "200:12.01:"}, "Interest must be <= $100,000.00 a month"},
  };
  const std::string TERM_PROBLEM =
      "the term is months (360), years (30y) or both (30y6m), 1 month to 1000 years, not ";
  for (const std::string term :
       {"0", "12001", "1001y", "30y6", "6m30y", "y", "30x", "", "30y13m", "1y12m"}) {
    cases.push_back({{"1000", "12", "--term", term}, TERM_PROBLEM + term});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const Output o = runCommand(c.args);
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err.substr(0, o.err.find('\n')), "quillo schedule: " + c.problem);
    EXPECT_NE(o.err.find("\nusage: quillo schedule LOAN RATE [PAYMENT"), std::string::npos);
  }
  const Output help = runCommand({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.substr(0, 22), "usage: quillo schedule");
  const std::string synopsis = help.out.substr(0, help.out.find("\nPrints"));
  EXPECT_NE(synopsis.find("[--format csv|text|summary|svg]"), std::string::npos) << synopsis;
  EXPECT_NE(help.out.find("\n  --format svg    a chart"), std::string::npos);
  EXPECT_EQ(help.err, "");
}

// Totals worked out with exact rational arithmetic rounded as the calculator rounds
// (scripts/paymentModel.py).
TEST(ScheduleCommand, TheSummaryAnswersTheBorrowersQuestions) {
  struct Case {
    std::vector<std::string> args;
    std::string summary;
  };
  const std::string TERM_30Y =
      "Payment: 1580.18\nMonths: 360 (30 years and 0 months)\nTotal paid: 568853.80\n"
      "Total interest: 318853.80\nLast payment: 1569.18\n";
  const std::string KEPT_END =
      "Payment: 1580.18, 1691.57 from month 61\nMonths: 360 (30 years and 0 months)\n"
      "Total paid: 602274.51\nTotal interest: 352274.51\nLast payment: 1684.28\n"
      "Without the extra payments and kept end dates:\n"
      "Payment: 1580.18\nMonths: 434 (36 years and 2 months)\nTotal paid: 685511.72\n"
      "Total interest: 435511.72\nLast payment: 1293.78\n"
      "Saved: 74 months, 83237.21 interest\n";
  const std::vector<Case> cases = {
      {{"250000", "6.5", "--term", "30y", "--format", "summary"}, TERM_30Y},
      {{"250,000", "6.5", "--term=360", "--format=summary"}, TERM_30Y},
      // The nearest cent to the textbook payment needs one month more.
      {{"250000", "6.5", "1580.17", "--format", "summary"},
       "Payment: 1580.17\nMonths: 361 (30 years and 1 months)\nTotal paid: 568861.27\n"
       "Total interest: 318861.27\nLast payment: 0.07\n"},
      // The rate goes up in month 61: the payment that keeps the term's end, or the end the
      // schedule was heading for, against the same rate at the old payment.
      {{"250000", "6.5", "--term", "30y", "--change", "61:7.25:keep", "--format", "summary"},
       KEPT_END},
      {{"250000", "6.5", "1580.18", "--change", "61:7.25:keep", "--format", "summary"}, KEPT_END},
      {{"250000", "6.5", "--term", "30y", "--extra", "24:5000", "--format", "summary"},
       "Payment: 1580.18\nMonths: 342 (28 years and 6 months)\nTotal paid: 544579.84\n"
       "Total interest: 294579.84\nLast payment: 738.46\n"
       "Without the extra payments and kept end dates:\n" +
           TERM_30Y + "Saved: 18 months, 24273.96 interest\n"},
      // Extras in one month add up, and pay no more than what is owed.
      {{"1000", "12", "100", "--extra", "3:500", "--extra", "3:4500", "--format", "summary"},
       "Payment: 100.00\nMonths: 3 (0 years and 3 months)\nTotal paid: 1027.29\n"
       "Total interest: 27.29\nLast payment: 827.29\n"
       "Without the extra payments and kept end dates:\n"
       "Payment: 100.00\nMonths: 11 (0 years and 11 months)\nTotal paid: 1058.98\n"
       "Total interest: 58.98\nLast payment: 58.98\n"
       "Saved: 8 months, 31.69 interest\n"},
      // Two changes in one month: the later one is the payment from that month on.
      {{"1000", "12", "100", "--change", "3::200", "--change", "3::150", "--format", "summary"},
       "Payment: 100.00, 150.00 from month 3\nMonths: 8 (0 years and 8 months)\n"
       "Total paid: 1046.69\nTotal interest: 46.69\nLast payment: 96.69\n"},
      {{"1000", "12", "100", "--change", "3::200", "--change", "3::100", "--format", "summary"},
       "Payment: 100.00\nMonths: 11 (0 years and 11 months)\nTotal paid: 1058.98\n"
       "Total interest: 58.98\nLast payment: 58.98\n"},
      // Changes given out of the order of their months apply in month order.
      {{"1000", "12", "100", "--change", "5::120", "--change", "3::200", "--format", "summary"},
       "Payment: 100.00, 200.00 from month 3, 120.00 from month 5\nMonths: 8 (0 years and 8 "
       "months)\nTotal paid: 1043.92\nTotal interest: 43.92\nLast payment: 83.92\n"},
      // The smallest payment there is, for a term: a cent.
      {{"5", "0", "--term", "1000y", "--format", "summary"},
       "Payment: 0.01\nMonths: 500 (41 years and 8 months)\nTotal paid: 5.00\n"
       "Total interest: 0.00\nLast payment: 0.01\n"},
      // The longest term: a cent above the interest is enough.
      {{"1000", "12", "--term", "1000y", "--format", "summary"},
       "Payment: 10.01\nMonths: 695 (57 years and 11 months)\nTotal paid: 6950.38\n"
       "Total interest: 5950.38\nLast payment: 3.44\n"},
      {{"250,000", "6", "--format", "summary"},
       "Payment: 1250.00\nMonths: 12000 (1000 years and 0 months)  and you still haven't paid "
       "it off!!!\nTotal paid: 15000000.00\nTotal interest: 15000000.00\n"
       "Last payment: 1250.00\n"},
      {{"250000", "6.5", "--term", "30y", "--extra", "24:10000", "--format", "summary"},
       "Payment: 1580.18\nMonths: 325 (27 years and 1 months)\nTotal paid: 522969.93\n"
       "Total interest: 272969.93\nLast payment: 991.61\n"
       "Without the extra payments and kept end dates:\n" +
           TERM_30Y + "Saved: 35 months, 45883.87 interest\n"},
      // The end is kept at a rate the first payment no longer covers: without the kept end the
      // plan stops in month 61, and the summary says so instead of the saving.
      {{"250000", "6.5", "1580.18", "--change", "61:20:keep", "--format", "summary"},
       "Payment: 1580.18, 3928.03 from month 61\nMonths: 360 (30 years and 0 months)\n"
       "Total paid: 1273185.65\nTotal interest: 1023185.65\nLast payment: 3893.88\n"
       "Without the extra payments and kept end dates the plan cannot run: in month 61 the "
       "payment is below the interest due ($3,900.45)\n"},
      // The largest loan 1500 a month repays in 30 years at 6.5%; 1580.18, the payment of
      // 250,000, repays 1.57 more.
      {{"max", "6.5", "1500", "--term", "30y", "--format", "summary"},
       "Loan: 237316.22\nPayment: 1500.00\nMonths: 360 (30 years and 0 months)\n"
       "Total paid: 539999.93\nTotal interest: 302683.71\nLast payment: 1499.93\n"},
      {{"max", "6.5", "1,580.18", "--term=360", "--format=summary"},
       "Loan: 250001.57\nPayment: 1580.18\nMonths: 360 (30 years and 0 months)\n"
       "Total paid: 568864.78\nTotal interest: 318863.21\nLast payment: 1580.16\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const Output o = runCommand(c.args);
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, c.summary);
  }
}

// The window's lines for these inputs, typed into the fields and confirmed, stepped a month at
// a time, with each change typed and confirmed before its month. Past the first `head` months
// and the last change, Ctrl+Page Down takes the rest at once (it leaves the screen of stepping
// every month), and only the last screenful is read; the lines in between stay empty.
struct Change {
  int32_t month;
  std::string rate, payment;  // empty: not typed
};

void typeInto(int focus, const std::string& text) {
  calc.focus = focus;
  calc.editText = text;
  commitField();
}

std::vector<std::string> windowLines(const std::string& loan, const std::string& rate,
                                     const std::string& payment, const std::vector<Change>& changes,
                                     size_t head) {
  openFreshScreen();
  startCalculation();
  typeInto(FOCUS_LOAN, loan);
  typeInto(FOCUS_RATE, rate);
  typeInto(FOCUS_PAYMENT, payment);
  confirmInputs();
  std::vector<std::string> lines = {screenReader::rowText(14), screenReader::rowText(15)};
  const size_t header = lines.size();
  while (calc.stepping) {
    for (const Change& change : changes) {
      if (change.month != calc.walk.repayment.monthCount + 1) continue;
      if (!change.rate.empty()) typeInto(FOCUS_RATE, change.rate);
      if (!change.payment.empty()) typeInto(FOCUS_PAYMENT, change.payment);
      confirmInputs();
    }
    const bool changesAhead = std::any_of(changes.begin(), changes.end(), [](const Change& c) {
      return c.month > calc.walk.repayment.monthCount;
    });
    if (lines.size() >= header + head && !changesAhead) {
      stepToEnd();
      if (!calc.stepping) {
        const std::vector<std::string> band = mainScript::scheduleRows();
        lines.resize(header + static_cast<size_t>(calc.walk.repayment.monthCount) + 1 -
                     band.size());
        lines.insert(lines.end(), band.begin(), band.end());
        break;
      }
    }
    stepDown();
    const int row =
        calc.stepping ? std::min(15 + calc.walk.repayment.monthCount, 27) : calc.scheduleRow + 1;
    lines.push_back(screenReader::rowText(row));
  }
  return lines;
}

TEST(ScheduleCommand, TheTextFormatIsWhatTheWindowShows) {
  struct Case {
    std::string loan, rate, payment;
    std::vector<Change> changes;
  };
  const std::vector<Case> cases = {
      {"1000", "12", "100", {}},
      {"30000", "4.5", "300", {{13, "9.75", "1000"}, {40, "", "2,000"}}},
      {"250000", "6", "", {}},           // a thousand years, never repaid
      {"999999999.99", "0.12", "", {}},  // the widest amounts taken
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.loan + " " + c.rate + " " + c.payment);
    std::vector<std::string> args = {c.loan, c.rate, c.payment, "--format", "text"};
    for (const Change& change : c.changes) {
      args.insert(args.end(), {"--change", std::to_string(change.month) + ":" + change.rate + ":" +
                                               change.payment});
    }
    Output o = runCommand(args);
    ASSERT_EQ(o.status, 0) << o.err;
    // The header's line is code page 437's horizontal line on the screen, U+2500 in the text.
    for (std::string& line : o.lines) {
      for (size_t at; (at = line.find("\u2500")) != std::string::npos;) line.replace(at, 3, "\xc4");
    }
    const std::vector<std::string> window = windowLines(c.loan, c.rate, c.payment, c.changes, 150);
    ASSERT_EQ(o.lines.size(), window.size());
    for (size_t i = 0; i < window.size(); ++i) {
      if (!window[i].empty()) {
        ASSERT_EQ(o.lines[i], window[i]) << i + 1;
      }
    }
  }
}

}  // namespace
