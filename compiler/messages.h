#pragma once
// Every text the compiler writes into its log, as CP932 bytes, in the
// language of the message catalogue (Japanese, the default, byte for byte as
// the log has always read; English when the program installed its catalogue).
//
// Fields named "pattern" hold %1, %2 ... for FormatMessage: the words around a
// number or a name keep the order of their language. The others are whole
// messages, or a label that a number or a name follows.
#include <span>

#include "common/bytes.h"

namespace qvn {

struct CompilerMessages {
  // Driver and report framing.
  Bytes creating_pattern;     // "%1, %2 の作成中..." (the story files' paths)
  Bytes line_count;           // "行数 : "
  Bytes block_count;          // "ブロック数 : "
  Bytes auto_title;           // "自動設定タイトル : "
  Bytes setting_password;     // "パスワードの設定中..."
  Bytes no_password;          // "パスワードは設定されていません."
  Bytes jump_check_skipped;   // "警告 : ジャンプ先チェックは省略しました."
  Bytes creating_user_files;  // "ユーザーファイルの作成中..."
  Bytes finished;             // "正常に終了しました。"
  Bytes write_failed;         // "書き込みに失敗しました...."
  Bytes name_refused;         // "このファイル名は使用できません : "
  Bytes error_pattern;    // "*** 第%1行でエラーが発生しました。" (the line number)
  Bytes error_block;      // "*** ブロック : "
  Bytes stage_pattern;    // " (Stage : %1)" after an error's message
  Bytes warning_pattern;  // "警告 : %1 -- 第%2行" (the message, the line number)
  Bytes warning_prefix;   // "警告 : "
  Bytes warning_block;    // "ブロック : "
  // Errors and warnings of the driver.
  Bytes no_block;                // "ブロックが１つもありません."
  Bytes block_not_closed;        // "直前のブロックが終了していません。"
  Bytes slash_syntax;            // "\"/\" の文法エラーです。"
  Bytes over_230;                // "文字数が230を超えています。"
  Bytes end_missing;             // "\"?end\" が存在しません"
  Bytes hash_misplaced;          // "\"#\" の場所が異常です。"
  Bytes bang_misplaced;          // "\"!\" の場所が異常です。"
  Bytes directive_in_condition;  // "条件設定中のため \">\" 文は記述できません。"
  Bytes directive_misplaced;     // "\">\" の場所が異常です。"
  Bytes question_syntax;         // "\"?\" の文法エラーです。"
  Bytes question_misplaced;      // "\"?\" の場所が異常です。"
  Bytes too_many_choices;        // "選択肢の数が多すぎます (>12)."
  Bytes jump_needs_comma;  // "ジャンプ先をカンマで区切って指定してください。"
  Bytes jump_after_end;  // "選択肢と\"?END\"以後のジャンプ指定が併存しています。"
  Bytes text_in_condition;   // "条件設定中のためテキストを記述できません。"
  Bytes nowait_misplaced;    // "@NOWAIT命令が不正な位置にあります."
  Bytes nowait_without_end;  // "@NOWAIT命令の後の ?END がありません."
  Bytes text_not_here;       // "ここにはテキストを記述できません。"
  Bytes seven_choices;       // "選択肢が７つ以上あります。"
  // Blocks, header statements and variables.
  Bytes name_too_long;      // "ブロック名は半角8文字以内です。"
  Bytes name_missing;       // "ブロック名を記述してください。"
  Bytes too_many_blocks;    // "ブロックが多すぎます。(>8000)"
  Bytes name_used;          // "このブロック名は既に使用済みです."
  Bytes name_reserved;      // "予約されたブロック名なので使用できません。"
  Bytes compiling_pattern;  // "ブロック \"%1\" をコンパイル中 ..." (the block name)
  Bytes title_set;          // "タイトルは既に指定されています。"
  Bytes title_log;          // "タイトル名 : "
  Bytes version_bad;        // "バージョン指定が誤っています。"
  Bytes version_set;        // "バージョンは既にセットされています。"
  Bytes version_log;        // "バージョン : "
  Bytes number_expected;    // "数値があるべき場所に文字列があります。"
  Bytes variable_bad;       // "文字列変数が正しく記述されていません。"
  Bytes percent_syntax;     // "\"%\" の文法エラーです。"
  Bytes variable_set;       // "この文字列変数は既に設定済みです。"
  // Flags and conditions.
  Bytes bang_syntax;       // "\"!\" の文法エラーです。"
  Bytes flag_zero;         // "000番のフラグは操作できません。"
  Bytes condition_needed;  // "\"?\" の後にはフラグまたはカウンタ指定が必要です。"
  // Directives.
  Bytes colour_bad;             // "色の設定のエラーです。"
  Bytes file_not_found;         // "ファイルが見つかりません。"
  Bytes directive_used;         // "\">\" が使用されています。"
  Bytes directive_unsupported;  // "サポートしていない\">\"文です。"
  // Jump-target check.
  Bytes checking_jumps;  // "ジャンプ先をチェックしています..."
  Bytes missing_target;  // "存在しないブロック名をジャンプ先に指定しています。"
  Bytes unused_pattern;  // "ブロック %1 は使われていません." (the block name)
  // UTF-8 sources.
  Bytes not_in_cp932;       // "Shift-JISで表せない文字があります。"
  Bytes not_utf8;           // "UTF-8として読めないバイトがあります。"
  Bytes character_pattern;  // " (%1, %2文字目)" (U+XXXX or 0xXX, the character's place)
};

// Built on first use from the message catalogue installed then, and never
// changed afterwards: a program installs its catalogue at start, before any
// compile, and a later change of language reaches the log at the next start.
// A test of another language runs in a process of its own.
const CompilerMessages& Messages();

// Each message's field and its Japanese text (UTF-8), the catalogue's key in
// the context "CompilerMessages": for checks that must cover every message.
struct CompilerMessageSource {
  Bytes CompilerMessages::*field;
  const char* japanese;
};
std::span<const CompilerMessageSource> CompilerMessageSources();

}  // namespace qvn
