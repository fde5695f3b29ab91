void drawTextGrid();

void loadSchemePalette() {}

void showScheme() {
  drawTextGrid();
}
