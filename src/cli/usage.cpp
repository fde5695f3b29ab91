#include "cli/usage.h"

namespace {

constexpr std::string_view SCHEDULE_SYNOPSIS =
    "quillo schedule LOAN RATE [PAYMENT | --term TERM] [--change MONTH:RATE:PAYMENT]...\n"
    "                       [--extra MONTH:AMOUNT]... [--format csv|text|summary|svg]\n";

}  // namespace

std::string usageText(int maxScale) {
  std::string text = "usage: quillo [--scale N] [--data-dir [DIR]]\n       ";
  text += SCHEDULE_SYNOPSIS;
  text +=
      "       quillo --version | --help\n"
      "\n"
      "Quillo keeps its options and palette files in its working directory.\n"
      "\n"
      "  --scale N         show every pixel as N by N pixels, N from 1 to " +
      std::to_string(maxScale) +
      "; without it, the largest\n"
      "                    window that fits in two thirds of the screen\n"
      "  --data-dir [DIR]  work in DIR, made when missing; without DIR, $XDG_DATA_HOME/quillo\n"
      "                    or else ~/.local/share/quillo\n"
      "  --version         print the version and end\n"
      "  --help            print this text and end\n"
      "\n"
      "In the window F1 lists every key; F2 puts the payment for a term of years and months\n"
      "into the payment field. `quillo schedule --help` tells the schedule's options, e.g.\n"
      "  quillo schedule 250000 6.5 --term 30y --format summary\n"
      "  quillo schedule 250000 6.5 --term 30y --change 61:7.25:keep --format summary\n"
      "  quillo schedule 250000 6.5 --term 30y --extra 24:5000 --format summary\n"
      "  quillo schedule max 6.5 1500 --term 30y --format summary\n"
      "\n"
      "Environment: QUILLO_SCALE is the scale when --scale is not given.\n";
  return text;
}

std::string_view scheduleUsageText() {
  static const std::string text =
      "usage: " + std::string(SCHEDULE_SYNOPSIS) +
      "Prints the repayment schedule, every month of it, and the totals line.\n"
      "  LOAN, PAYMENT   amounts as the fields take them: up to 16 digits, points and commas\n"
      "                  (250,000); more than two decimals are rounded to the cent, half up\n"
      "  LOAN max        with PAYMENT and --term: the largest loan that PAYMENT repays within\n"
      "                  the term, in whole cents (max 6.5 1500 --term 30y); the summary\n"
      "                  names it\n"
      "  RATE            the annual rate in percent: digits and a point, at most 16\n"
      "  PAYMENT         left out or 0: the interest due, rounded up to the cent\n"
      "  --term T        instead of PAYMENT: the smallest payment that repays the loan in T\n"
      "                  months (360), years (30y) or both (30y6m), at most 1000 years\n"
      "  --change M:R:P  rate R and payment P from month M on, as if typed after month M - 1;\n"
      "                  leave R or P empty to keep it (13::1100); P keep: the payment that\n"
      "                  repays by the same end month (the term's, else the one the schedule\n"
      "                  was heading for) (61:7.25:keep)\n"
      "  --extra M:A     amount A paid on top of month M's payment, at most what is owed\n"
      "  --format csv    Month,Rate,Payment,Interest,Principal,Remainder,Total interest "
      "(the default);\n"
      "                  Payment is what the month took: summed, the total paid\n"
      "  --format text   the header and the lines as the window shows them\n"
      "  --format summary  the payments, months, total paid, total interest and last payment;\n"
      "                  with extras or kept end dates also those of the plan without them and\n"
      "                  what they save\n"
      "  --format svg    a chart of the balance and the interest paid, as an SVG picture\n"
      "Exit status: 0 done; 1 a payment below the interest due, no payment for the term, no\n"
      "loan for the payment, or the output could not be written; 2 arguments it cannot use,\n"
      "or an end date to keep that has already passed.\n";
  return text;
}
