#include "platform/audio/wave_out.h"

namespace audio {

std::string StandardErrorText(MMRESULT code) {
  switch (code) {
    case MMSYSERR_NOERROR:
      return "エラーはありません。";
    case MMSYSERR_ERROR:
      return "不明なエラーが発生しました。";
    case MMSYSERR_BADDEVICEID:
      return "指定されたデバイス ID は範囲外です。";
    case MMSYSERR_ALLOCATED:
      return "指定されたリソースは既に割り当てられています。";
    case MMSYSERR_INVALHANDLE:
      return "指定されたデバイス ハンドルは無効です。";
    case MMSYSERR_NODRIVER:
      return "ドライバがインストールされていません。";
    case MMSYSERR_NOMEM:
      return "メモリが不足しています。";
    case MMSYSERR_INVALPARAM:
      return "無効なパラメータが渡されました。";
    case WAVERR_BADFORMAT:
      return "サポートされていない形式でウェーブを開こうとしました。";
    case WAVERR_STILLPLAYING:
      return "メディア データはまだ再生中です。";
    case WAVERR_UNPREPARED:
      return "ヘッダーが準備されていません。";
    default:
      return "不明なエラーです。";
  }
}

}  // namespace audio
