// The right-channel window: the same editor as the main window, for the right channel's ten
// pictures, and nothing of the main window's commands. Closing it only hides it.
#pragma once

#include "editor/editor_form.h"

class TForm2 : public EditorForm {
 public:
  TForm2(AppState& app, ui::MessageBoxService& boxes);

  // Copy and paste under this window's own item names.
  ui::MenuItem& K1 = CopyItem;
  ui::MenuItem& K2 = PasteItem;

  EditorForm& OtherEditor() override;
  void FormCreate();
};
