#include "compiler/messages.h"

#include "common/encoding.h"
#include "common/message_catalogue.h"

namespace qvn {

namespace {

constexpr char kContext[] = "CompilerMessages";

using M = CompilerMessages;

// The Japanese texts are the log as it has always read; lupdate takes them
// from here (the context must be spelt out for it).
constexpr CompilerMessageSource kSources[] = {
    //: The story files being written: %1 the body, %2 the block index.
    {&M::creating_pattern, QT_TRANSLATE_NOOP("CompilerMessages", "%1, %2 の作成中...")},
    {&M::line_count, QT_TRANSLATE_NOOP("CompilerMessages", "行数 : ")},
    {&M::block_count, QT_TRANSLATE_NOOP("CompilerMessages", "ブロック数 : ")},
    {&M::auto_title, QT_TRANSLATE_NOOP("CompilerMessages", "自動設定タイトル : ")},
    {&M::setting_password, QT_TRANSLATE_NOOP("CompilerMessages", "パスワードの設定中...")},
    {&M::no_password, QT_TRANSLATE_NOOP("CompilerMessages", "パスワードは設定されていません.")},
    {&M::jump_check_skipped,
     QT_TRANSLATE_NOOP("CompilerMessages", "警告 : ジャンプ先チェックは省略しました.")},
    {&M::creating_user_files, QT_TRANSLATE_NOOP("CompilerMessages", "ユーザーファイルの作成中...")},
    {&M::finished, QT_TRANSLATE_NOOP("CompilerMessages", "正常に終了しました。")},
    {&M::write_failed,
     QT_TRANSLATE_NOOP(
         "CompilerMessages",
         "書き込みに失敗しました.他のソフトでQVNファイルを開いている場合は閉じて下さい.")},
    {&M::name_refused, QT_TRANSLATE_NOOP("CompilerMessages", "このファイル名は使用できません : ")},
    //: The first line of an error report: %1 the source line's number.
    {&M::error_pattern,
     QT_TRANSLATE_NOOP("CompilerMessages", "*** 第%1行でエラーが発生しました。")},
    {&M::error_block, QT_TRANSLATE_NOOP("CompilerMessages", "*** ブロック : ")},
    //: After the message of an error report: %1 the grammar position's number.
    {&M::stage_pattern, QT_TRANSLATE_NOOP("CompilerMessages", " (Stage : %1)")},
    //: The first line of a warning report: %1 the message, %2 the source line's number.
    {&M::warning_pattern, QT_TRANSLATE_NOOP("CompilerMessages", "警告 : %1 -- 第%2行")},
    {&M::warning_prefix, QT_TRANSLATE_NOOP("CompilerMessages", "警告 : ")},
    {&M::warning_block, QT_TRANSLATE_NOOP("CompilerMessages", "ブロック : ")},
    {&M::no_block, QT_TRANSLATE_NOOP("CompilerMessages", "ブロックが１つもありません.")},
    {&M::block_not_closed,
     QT_TRANSLATE_NOOP("CompilerMessages", "直前のブロックが終了していません。")},
    {&M::slash_syntax, QT_TRANSLATE_NOOP("CompilerMessages", "\"/\" の文法エラーです。")},
    {&M::over_230, QT_TRANSLATE_NOOP("CompilerMessages", "文字数が230を超えています。")},
    {&M::end_missing, QT_TRANSLATE_NOOP("CompilerMessages", "\"?end\" が存在しません")},
    {&M::hash_misplaced, QT_TRANSLATE_NOOP("CompilerMessages", "\"#\" の場所が異常です。")},
    {&M::bang_misplaced, QT_TRANSLATE_NOOP("CompilerMessages", "\"!\" の場所が異常です。")},
    {&M::directive_in_condition,
     QT_TRANSLATE_NOOP("CompilerMessages", "条件設定中のため \">\" 文は記述できません。")},
    {&M::directive_misplaced, QT_TRANSLATE_NOOP("CompilerMessages", "\">\" の場所が異常です。")},
    {&M::question_syntax, QT_TRANSLATE_NOOP("CompilerMessages", "\"?\" の文法エラーです。")},
    {&M::question_misplaced, QT_TRANSLATE_NOOP("CompilerMessages", "\"?\" の場所が異常です。")},
    {&M::too_many_choices, QT_TRANSLATE_NOOP("CompilerMessages", "選択肢の数が多すぎます (>12).")},
    {&M::jump_needs_comma,
     QT_TRANSLATE_NOOP("CompilerMessages", "ジャンプ先をカンマで区切って指定してください。")},
    {&M::jump_after_end,
     QT_TRANSLATE_NOOP("CompilerMessages", "選択肢と\"?END\"以後のジャンプ指定が併存しています。")},
    {&M::text_in_condition,
     QT_TRANSLATE_NOOP("CompilerMessages", "条件設定中のためテキストを記述できません。")},
    {&M::nowait_misplaced,
     QT_TRANSLATE_NOOP("CompilerMessages", "@NOWAIT命令が不正な位置にあります.")},
    {&M::nowait_without_end,
     QT_TRANSLATE_NOOP("CompilerMessages", "@NOWAIT命令の後の ?END がありません.")},
    {&M::text_not_here,
     QT_TRANSLATE_NOOP("CompilerMessages", "ここにはテキストを記述できません。")},
    {&M::seven_choices, QT_TRANSLATE_NOOP("CompilerMessages", "選択肢が７つ以上あります。")},
    {&M::name_too_long, QT_TRANSLATE_NOOP("CompilerMessages", "ブロック名は半角8文字以内です。")},
    {&M::name_missing, QT_TRANSLATE_NOOP("CompilerMessages", "ブロック名を記述してください。")},
    {&M::too_many_blocks, QT_TRANSLATE_NOOP("CompilerMessages", "ブロックが多すぎます。(>8000)")},
    {&M::name_used, QT_TRANSLATE_NOOP("CompilerMessages", "このブロック名は既に使用済みです.")},
    {&M::name_reserved,
     QT_TRANSLATE_NOOP("CompilerMessages", "予約されたブロック名なので使用できません。")},
    //: Logged at each block head when block names are shown: %1 the block's name.
    {&M::compiling_pattern,
     QT_TRANSLATE_NOOP("CompilerMessages", "ブロック \"%1\" をコンパイル中 ...")},
    {&M::title_set, QT_TRANSLATE_NOOP("CompilerMessages", "タイトルは既に指定されています。")},
    {&M::title_log, QT_TRANSLATE_NOOP("CompilerMessages", "タイトル名 : ")},
    {&M::version_bad, QT_TRANSLATE_NOOP("CompilerMessages", "バージョン指定が誤っています。")},
    {&M::version_set,
     QT_TRANSLATE_NOOP("CompilerMessages", "バージョンは既にセットされています。")},
    {&M::version_log, QT_TRANSLATE_NOOP("CompilerMessages", "バージョン : ")},
    {&M::number_expected,
     QT_TRANSLATE_NOOP("CompilerMessages", "数値があるべき場所に文字列があります。")},
    {&M::variable_bad,
     QT_TRANSLATE_NOOP("CompilerMessages", "文字列変数が正しく記述されていません。")},
    {&M::percent_syntax, QT_TRANSLATE_NOOP("CompilerMessages", "\"%\" の文法エラーです。")},
    {&M::variable_set, QT_TRANSLATE_NOOP("CompilerMessages", "この文字列変数は既に設定済みです。")},
    {&M::bang_syntax, QT_TRANSLATE_NOOP("CompilerMessages", "\"!\" の文法エラーです。")},
    {&M::flag_zero, QT_TRANSLATE_NOOP("CompilerMessages", "000番のフラグは操作できません。")},
    {&M::condition_needed,
     QT_TRANSLATE_NOOP("CompilerMessages", "\"?\" の後にはフラグまたはカウンタ指定が必要です。")},
    {&M::colour_bad, QT_TRANSLATE_NOOP("CompilerMessages", "色の設定のエラーです。")},
    {&M::file_not_found, QT_TRANSLATE_NOOP("CompilerMessages", "ファイルが見つかりません。")},
    {&M::directive_used, QT_TRANSLATE_NOOP("CompilerMessages", "\">\" が使用されています。")},
    {&M::directive_unsupported,
     QT_TRANSLATE_NOOP("CompilerMessages", "サポートしていない\">\"文です。")},
    {&M::checking_jumps,
     QT_TRANSLATE_NOOP("CompilerMessages", "ジャンプ先をチェックしています...")},
    {&M::missing_target,
     QT_TRANSLATE_NOOP("CompilerMessages", "存在しないブロック名をジャンプ先に指定しています。")},
    //: A block no jump or choice leads to: %1 the block's name.
    {&M::unused_pattern, QT_TRANSLATE_NOOP("CompilerMessages", "ブロック %1 は使われていません.")},
    {&M::not_in_cp932,
     QT_TRANSLATE_NOOP("CompilerMessages", "Shift-JISで表せない文字があります。")},
    {&M::not_utf8, QT_TRANSLATE_NOOP("CompilerMessages", "UTF-8として読めないバイトがあります。")},
    //: After a message about a character of a UTF-8 line: %1 the character (U+XXXX) or the byte
    //: (0xXX), %2 its place in the line, counted in characters from 1.
    {&M::character_pattern, QT_TRANSLATE_NOOP("CompilerMessages", " (%1, %2文字目)")},
};

CompilerMessages MakeMessages() {
  CompilerMessages m;
  for (const CompilerMessageSource& source : kSources)
    m.*source.field = Utf8ToCp932(Translate(kContext, source.japanese));
  return m;
}

}  // namespace

const CompilerMessages& Messages() {
  static const CompilerMessages messages = MakeMessages();
  return messages;
}

std::span<const CompilerMessageSource> CompilerMessageSources() {
  return kSources;
}

}  // namespace qvn
