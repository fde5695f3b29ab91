#include "app/programState.h"
#include "editor/characterMask.h"
#include "editor/fieldCursor.h"
#include "editor/fieldEditor.h"

void resetEditorState() {
  fieldEditor = {};
  fieldCursor = {};
  maskTable = {};
}
