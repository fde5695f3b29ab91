#include "support/mainScreenScript.h"

#include <gtest/gtest.h>

#include <set>

#include "app/controlTable.h"
#include "controls/buttonRegistry.h"
#include "controls/eventCodes.h"
#include "screen/private/headless.h"
#include "screen/screen.h"
#include "support/screenReader.h"

namespace mainScript {

namespace {

constexpr int CELL_WIDTH = 8;
constexpr int FIELD_COLUMN = 19;
constexpr int FIELD_WIDTH = 16;
constexpr int FIRST_FIELD_ROW = 4;

int captionWidth(int k) {
  return static_cast<int>(CONTROL_TABLE[k].caption.size()) * CELL_WIDTH;
}

int captionHeight(int k) {
  return CONTROL_TABLE[k].sizeCode * 8;
}

int captionLeft(int k) {
  return screen::columnToX(CONTROL_TABLE[k].column);
}

int captionTop(int k) {
  return screen::rowToY(CONTROL_TABLE[k].row) + CONTROL_TABLE[k].extraY;
}

}  // namespace

int controlX(int k) {
  return captionLeft(k) + captionWidth(k) / 2;
}

int controlY(int k) {
  return captionTop(k) + captionHeight(k) / 2;
}

void clickControl(int k) {
  headless::click(controlX(k), controlY(k));
}

void enterInputs(const std::string& loan, const std::string& rate, const std::string& payment) {
  for (const std::string* text : {&loan, &rate, &payment}) {
    headless::type(*text);
    headless::key("\t");
  }
}

void pageDowns(int count) {
  for (int i = 0; i < count; ++i) headless::extendedKey(screen::KEY_PAGE_DOWN);
}

void fiveYearsOfThirty() {
  enterInputs("250000", "6.5", "");
  termInF2("30\r\r\r");
  pageDowns(5);
}

void typeOverRate(const char* rate) {
  clickControl(FOCUS_RATE);
  for (int i = 0; i < 3; ++i) headless::extendedKey(screen::KEY_DELETE);
  headless::type(rate);
}

void termInF2(const char* keys) {
  headless::extendedKey(EVENT_F2 - EVENT_KEY_BASE);
  headless::type(keys);
}

std::string fieldText(Focus field, const uint8_t* pixels) {
  std::string text =
      screenReader::textAt(FIRST_FIELD_ROW + field - 1, FIELD_COLUMN, FIELD_WIDTH, pixels);
  return text.substr(0, text.find_last_not_of(' ') + 1);
}

int controlInk(int k, const uint8_t* pixels) {
  if (!pixels) pixels = screen::surfacePixels();
  std::set<int> colours;
  for (int y = captionTop(k); y < captionTop(k) + captionHeight(k); ++y) {
    for (int x = captionLeft(k); x < captionLeft(k) + captionWidth(k); ++x) {
      const uint8_t colour = pixels[y * screen::SCREEN_WIDTH + x];
      if (colour != 0) colours.insert(colour);
    }
  }
  if (colours.empty()) return -1;
  return colours.size() == 1 ? *colours.begin() : -2;
}

const uint8_t* snapshot(size_t n) {
  const auto& snapshots = headless::headlessState.snapshots;
  EXPECT_LT(n, snapshots.size()) << "the run took fewer snapshots";
  return n < snapshots.size() ? snapshots[n].data() : screen::surfacePixels();
}

std::vector<std::string> scheduleRows(const uint8_t* pixels) {
  std::vector<std::string> rows;
  for (int row = 16; row <= 28; ++row) {
    std::string text = screenReader::rowText(row, pixels);
    if (!text.empty()) rows.push_back(text);
  }
  return rows;
}

}  // namespace mainScript
