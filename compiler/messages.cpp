#include "compiler/messages.h"

#include "common/encoding.h"

namespace qvn {

namespace {

CompilerMessages MakeMessages() {
  CompilerMessages m;
  m.creating = Sjis(u8" の作成中...");
  m.line_count = Sjis(u8"行数 : ");
  m.block_count = Sjis(u8"ブロック数 : ");
  m.auto_title = Sjis(u8"自動設定タイトル : ");
  m.setting_password = Sjis(u8"パスワードの設定中...");
  m.no_password = Sjis(u8"パスワードは設定されていません.");
  m.jump_check_skipped = Sjis(u8"警告 : ジャンプ先チェックは省略しました.");
  m.creating_user_files = Sjis(u8"ユーザーファイルの作成中...");
  m.finished = Sjis(u8"正常に終了しました。");
  m.write_failed =
      Sjis(u8"書き込みに失敗しました.他のソフトでQVNファイルを開いている場合は閉じて下さい.");
  m.name_refused = Sjis(u8"このファイル名は使用できません : ");
  m.error_line_prefix = Sjis(u8"第");
  m.error_line_suffix = Sjis(u8"行");
  m.error_happened = Sjis(u8"でエラーが発生しました。");
  m.error_block = Sjis(u8"*** ブロック : ");
  m.warning_prefix = Sjis(u8"警告 : ");
  m.warning_block = Sjis(u8"ブロック : ");
  m.no_block = Sjis(u8"ブロックが１つもありません.");
  m.block_not_closed = Sjis(u8"直前のブロックが終了していません。");
  m.slash_syntax = Sjis(u8"\"/\" の文法エラーです。");
  m.over_230 = Sjis(u8"文字数が230を超えています。");
  m.end_missing = Sjis(u8"\"?end\" が存在しません");
  m.hash_misplaced = Sjis(u8"\"#\" の場所が異常です。");
  m.bang_misplaced = Sjis(u8"\"!\" の場所が異常です。");
  m.directive_in_condition = Sjis(u8"条件設定中のため \">\" 文は記述できません。");
  m.directive_misplaced = Sjis(u8"\">\" の場所が異常です。");
  m.question_syntax = Sjis(u8"\"?\" の文法エラーです。");
  m.question_misplaced = Sjis(u8"\"?\" の場所が異常です。");
  m.too_many_choices = Sjis(u8"選択肢の数が多すぎます (>12).");
  m.jump_needs_comma = Sjis(u8"ジャンプ先をカンマで区切って指定してください。");
  m.jump_after_end = Sjis(u8"選択肢と\"?END\"以後のジャンプ指定が併存しています。");
  m.text_in_condition = Sjis(u8"条件設定中のためテキストを記述できません。");
  m.nowait_misplaced = Sjis(u8"@NOWAIT命令が不正な位置にあります.");
  m.nowait_without_end = Sjis(u8"@NOWAIT命令の後の ?END がありません.");
  m.text_not_here = Sjis(u8"ここにはテキストを記述できません。");
  m.seven_choices = Sjis(u8"選択肢が７つ以上あります。");
  m.name_too_long = Sjis(u8"ブロック名は半角8文字以内です。");
  m.name_missing = Sjis(u8"ブロック名を記述してください。");
  m.too_many_blocks = Sjis(u8"ブロックが多すぎます。(>8000)");
  m.name_used = Sjis(u8"このブロック名は既に使用済みです.");
  m.name_reserved = Sjis(u8"予約されたブロック名なので使用できません。");
  m.compiling_block = Sjis(u8"ブロック \"");
  m.compiling_block_end = Sjis(u8"\" をコンパイル中 ...");
  m.title_set = Sjis(u8"タイトルは既に指定されています。");
  m.title_log = Sjis(u8"タイトル名 : ");
  m.version_bad = Sjis(u8"バージョン指定が誤っています。");
  m.version_set = Sjis(u8"バージョンは既にセットされています。");
  m.version_log = Sjis(u8"バージョン : ");
  m.number_expected = Sjis(u8"数値があるべき場所に文字列があります。");
  m.variable_bad = Sjis(u8"文字列変数が正しく記述されていません。");
  m.percent_syntax = Sjis(u8"\"%\" の文法エラーです。");
  m.variable_set = Sjis(u8"この文字列変数は既に設定済みです。");
  m.bang_syntax = Sjis(u8"\"!\" の文法エラーです。");
  m.flag_zero = Sjis(u8"000番のフラグは操作できません。");
  m.condition_needed = Sjis(u8"\"?\" の後にはフラグまたはカウンタ指定が必要です。");
  m.colour_bad = Sjis(u8"色の設定のエラーです。");
  m.file_not_found = Sjis(u8"ファイルが見つかりません。");
  m.directive_used = Sjis(u8"\">\" が使用されています。");
  m.directive_unsupported = Sjis(u8"サポートしていない\">\"文です。");
  m.checking_jumps = Sjis(u8"ジャンプ先をチェックしています...");
  m.missing_target = Sjis(u8"存在しないブロック名をジャンプ先に指定しています。");
  m.unused_block = Sjis(u8"警告 : ブロック ");
  m.unused_block_end = Sjis(u8" は使われていません.");
  m.not_in_cp932 = Sjis(u8"Shift-JISで表せない文字があります。");
  m.not_utf8 = Sjis(u8"UTF-8として読めないバイトがあります。");
  m.nth_character = Sjis(u8"文字目");
  return m;
}

}  // namespace

const CompilerMessages& Messages() {
  static const CompilerMessages messages = MakeMessages();
  return messages;
}

}  // namespace qvn
