// A screen file that declares a colours function by hand and calls it.
void loadSchemePalette();

void drawTextGrid() {
  loadSchemePalette();
}
