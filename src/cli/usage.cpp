#include "cli/usage.h"

namespace {

constexpr std::string_view SCHEDULE_SYNOPSIS =
    "quillo schedule LOAN RATE [PAYMENT] [--change MONTH:RATE:PAYMENT]... [--format "
    "csv|text|svg]\n";

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
      "Environment: QUILLO_SCALE is the scale when --scale is not given.\n";
  return text;
}

std::string_view scheduleUsageText() {
  static const std::string text =
      "usage: " + std::string(SCHEDULE_SYNOPSIS) +
      "Prints the repayment schedule, every month of it, and the totals line.\n"
      "  LOAN, PAYMENT   amounts as the fields take them: digits, a point, commas (250,000)\n"
      "  RATE            the annual rate in percent: digits and a point\n"
      "  PAYMENT         left out or 0: the interest due, rounded up to the cent\n"
      "  --change M:R:P  rate R and payment P from month M on, as if typed after month M - 1;\n"
      "                  leave R or P empty to keep it (13::1100)\n"
      "  --format csv    Month,Rate,Payment,Interest,Principal,Remainder,Total interest "
      "(the default)\n"
      "  --format text   the lines as the window shows them\n"
      "  --format svg    a chart of the balance and the interest paid, as an SVG picture\n"
      "Exit status: 0 done; 1 a payment below the interest due, or the output could not be\n"
      "written; 2 arguments it cannot use.\n";
  return text;
}
