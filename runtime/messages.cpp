#include "runtime/messages.h"

#include "common/encoding.h"

namespace qvn::messages {

const Bytes& OpenButton() {
  static const Bytes text = Sjis(u8"開く");
  return text;
}

const Bytes& WriteFailure() {
  static const Bytes text = Sjis(u8"ユーザーデータ書込み不能");
  return text;
}

const Bytes& EnterVariable() {
  static const Bytes text = Sjis(u8"を入力して下さい");
  return text;
}

const Bytes& StoryVersion() {
  static const Bytes text = Sjis(u8"作品のバージョン : ");
  return text;
}

const Bytes& UnusedSlot() {
  static const Bytes text = Sjis(u8"未使用ファイルです。");
  return text;
}

const Bytes& SlotInUse() {
  static const Bytes text = Sjis(u8"使用中です。");
  return text;
}

const Bytes& DamagedSlot() {
  static const Bytes text = Sjis(u8"破損したファイルです。");
  return text;
}

const Bytes& Unreadable() {
  static const Bytes text = Sjis(u8"読めません");
  return text;
}

const Bytes& EraseConfirm() {
  static const Bytes text = Sjis(u8"初期化(OKならもう一度消去を押す)");
  return text;
}

const Bytes& IdeographicSpace() {
  static const Bytes text = Sjis(u8"　");
  return text;
}

}  // namespace qvn::messages
