// Generate, the interval and channel settings, "Rch" and New.
#include "app/main_form.h"

void TForm1::Button2Click() {}
void TForm1::RadioGroup1Click() {}
void TForm1::RadioGroup2Click() {}
void TForm1::Rch1Click() {}
void TForm1::K3Click() {}
