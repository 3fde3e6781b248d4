// The Save command: writing the generated block or the edited file data as a WAV file.
#include "app/main_form.h"

void TForm1::K5Click() {}
