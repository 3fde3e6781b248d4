#include "app/app_state.h"

AppState::AppState()
    : VersionText(std::string("Sonoquill version ") + "1.03"),
      CreditText("\r\nDrawn and voiced by the Sonoquill developers."),
      SaveFileName("NoName") {}

void ClearBlockSamples(AppState& app) {
  for (BlockCopy& copy : app.BlockSamples) copy.fill(0);
}
