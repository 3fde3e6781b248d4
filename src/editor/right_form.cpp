#include "editor/right_form.h"

#include "app/main_form.h"

namespace {
const EditorLayout kRightLayout{"K1", "K2", 412, {150, 300}, 153, 520, 312};
}

TForm2::TForm2(AppState& appState, ui::MessageBoxService& boxService)
    : EditorForm(appState, boxService, "Form2", "Sonoquill - Rch", 742, 431, kRightLayout,
                 appState.SelectedSegmentR) {
  PopupMenu1.Add(K1);
  PopupMenu1.Add(K2);
  appState.Form2 = this;
}

EditorForm& TForm2::OtherEditor() {
  return *app.Form1;
}

void TForm2::FormCreate() {
  editor.InitCanvas();
}
