// The Open command: reading a 16-bit WAV file whole into memory.
#include "app/main_form.h"

void TForm1::K4Click() {}
