<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>StoryDamage</name>
    <message>
        <source>ブロック索引が壊れています: 大きさ %1 バイトが %2 の倍数ではありません</source>
        <translation>The block index is damaged: its size (%1 bytes) is not a multiple of %2.</translation>
    </message>
    <message>
        <source>物語本体が壊れています: 色「%1」が数値ではありません</source>
        <translation>The story body is damaged: the colour &quot;%1&quot; is not a number.</translation>
    </message>
    <message>
        <source>物語本体が壊れています: 「%1」はフラグ番号ではありません</source>
        <translation>The story body is damaged: &quot;%1&quot; is not a flag number.</translation>
    </message>
    <message>
        <source>物語本体が壊れています: フラグ %1 はありません</source>
        <translation>The story body is damaged: flag %1 does not exist.</translation>
    </message>
    <message>
        <source>物語本体が壊れています: オフセット %1 が本体の %2 バイトの外を指しています</source>
        <translation>The story body is damaged: offset %1 lies outside its %2 bytes.</translation>
    </message>
    <message>
        <source>物語本体が壊れています: オフセット %1 のレコードが本体の終わりを越えています</source>
        <translation>The story body is damaged: the record at offset %1 runs past its end.</translation>
    </message>
    <message>
        <source>50 行目 (背景色) が数値ではありません</source>
        <translation>Line 50 (the background colour) is not a number.</translation>
    </message>
    <message>
        <source>51 行目 (文字色) が数値ではありません</source>
        <translation>Line 51 (the text colour) is not a number.</translation>
    </message>
    <message>
        <source>ブロック索引が壊れています: レコード %1 の名前の長さが %2 バイトです</source>
        <translation>The block index is damaged: record %1 gives its name a length of %2 bytes.</translation>
    </message>
    <message>
        <source>長すぎる一行だけのファイルです</source>
        <translation>The file is one overlong line.</translation>
    </message>
    <message>
        <source>%1 行目に制御文字があります</source>
        <translation>Line %1 holds a control byte.</translation>
    </message>
</context>
<context>
    <name>qvn</name>
    <message>
        <source>使い方: qvn %1 </source>
        <translation>usage: qvn %1 </translation>
    </message>
    <message>
        <source>%1 は一つしか与えられません</source>
        <translation>only one %1 may be given</translation>
    </message>
    <message>
        <source>%1 というオプションはありません</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>%1 は値をとりません</source>
        <translation>%1 takes no value</translation>
    </message>
    <message>
        <source>%1 には値が要ります: %2</source>
        <translation>%1 needs a value: %2</translation>
    </message>
    <message>
        <source>%1 が与えられていません</source>
        <translation>no %1 given</translation>
    </message>
    <message>
        <source>コンパイルされた作品を端末で、ブラウザと同じランタイムで読みます。STORY には
作品の .qvn、.qvj か同じベース名のどれかのファイルを与えます。

ふつうは対話で進みます: スロットを選び、ニューゲームの問いに答え (Enter で
示された値のまま)、キーを打って Enter を押します:
  1-6, A-F, a-f   示された選択肢を選ぶ
  Enter           選択肢が一つかないときの「Next」
  s               一時セーブ (作品の終わりの後でも)
  t               一時セーブを開く (ないときは何もしない)
  r               作品を開き直す (終わりの後: もう一度読む)
  v               作品のバージョン   q   終了 (進み具合はセーブされる)
作品の終わりの後は、ブラウザと同じく選択肢のキーは何もしません。
画像、背景、音、プログラムは [event] の行で示します。
</source>
        <translation>Plays a compiled story (STORY names its .qvn, .qvj or any file of the same
base name) in the terminal, on the same runtime as the browser.

Interactive by default: pick a slot, answer the new-game prompt (Enter keeps
the value shown), then type a key and Enter:
  1-6, A-F, a-f   take that choice when it is offered
  Enter           &quot;Next&quot; when one choice or none is shown
  s               temporary save (also after the end of the story)
  t               open the temporary save (nothing while there is none)
  r               reopen the story (after its end: play it again)
  v               the story&apos;s version   q   quit (progress is saved)
Choice keys do nothing after the end of the story, as in the browser.
Pictures, backgrounds, sounds and programs are shown as [event] lines.
</translation>
    </message>
    <message>
        <source>終了ステータス: 0 読めた、1 作品を開けないか読めないかセーブに失敗した、
64 使い方の誤り (--choose での実行で、ニューゲームの問いが受け付けない --var
の値や、既定値のない変数に値がないときも)。
</source>
        <translation>Exit status: 0 played, 1 the story could not be opened or played or a save
failed, 64 bad usage (also a --var value the new-game prompt refuses, or
none for a variable without a default, in a run with --choose).
</translation>
    </message>
    <message>
        <source>問わずにこのスロットを使う</source>
        <translation>use this slot without asking</translation>
    </message>
    <message>
        <source>--slot には 1 から 4 を与えます</source>
        <translation>--slot takes 1 to 4</translation>
    </message>
    <message>
        <source>ニューゲームの問いで変数 %N に TEXT と答える</source>
        <translation>answer the new-game prompt for variable %N with TEXT</translation>
    </message>
    <message>
        <source>--var には N=TEXT を与えます (N は 1 から 9)</source>
        <translation>--var takes N=TEXT with N from 1 to 9</translation>
    </message>
    <message>
        <source>問わずに読む: コンマで区切った KEYS のキーを順に押し
(空のキーは Enter)、作品を閉じて進み具合をスロットに
セーブする。--slot がなければスロット 1、--var が
なければ既定値。KEYS には上のとおりに働くコマンド
s, t, r, v, q も書ける。q の後のキーは押さない</source>
        <translation>play without asking: press each key of the comma-separated
KEYS (an empty key is Enter), then close the story, which
saves the progress into the slot; slot 1 unless --slot,
default values unless --var. KEYS may also hold the
commands s, t, r, v and q, which act as above; keys after
q are left unpressed</translation>
    </message>
    <message>
        <source>--data-dir にはフォルダーを与えます</source>
        <translation>--data-dir needs a folder</translation>
    </message>
    <message>
        <source>作品が名指すプログラムを本当に起動する</source>
        <translation>really start the programs named by the story</translation>
    </message>
    <message>
        <source>どの種類でもない「&gt;」の行がプログラムを起動する (古い作品)</source>
        <translation>&quot;&gt;&quot; lines of no known kind start a program (old stories)</translation>
    </message>
    <message>
        <source>(一時セーブはまだありません)</source>
        <translation>(no temporary save yet)</translation>
    </message>
    <message>
        <source>(キー: 1-6, A-F, Enter, s, t, r, v, q)</source>
        <translation>(keys: 1-6, A-F, Enter, s, t, r, v, q)</translation>
    </message>
    <message>
        <source>(作品が開いていません: r で開き直し、q で終了)</source>
        <translation>(no story open: r opens it again, q quits)</translation>
    </message>
    <message>
        <source>%1: その名前のコンパイル済みの作品はありません (%2 がありません)</source>
        <translation>%1: no compiled story of that name (%2 is missing)</translation>
    </message>
    <message>
        <source>作品を開けませんでした</source>
        <translation>the story was not opened</translation>
    </message>
    <message>
        <source>作品「%1」が作品のフォルダーの外のプログラムを起動しようとしています:</source>
        <translation>The story &quot;%1&quot; asks to start a program outside the story&apos;s folder:</translation>
    </message>
    <message>
        <source>起動しますか? (y/N) </source>
        <translation>Start it? (y/N) </translation>
    </message>
    <message>
        <source>スロット (1-4、消すときは e1-e4): </source>
        <translation>Slot (1-4, or e1-e4 to erase): </translation>
    </message>
    <message>
        <source>(消すなら y) </source>
        <translation>(y to erase) </translation>
    </message>
    <message>
        <source>%1 が空です: ニューゲームの問いには値が要ります</source>
        <translation>%1 is empty: the new-game prompt needs a value</translation>
    </message>
    <message>
        <source>%1=TEXT に CP932 で表せない文字があります</source>
        <translation>%1=TEXT holds characters that CP932 cannot hold</translation>
    </message>
    <message>
        <source>変数 %1 には既定値がありません: %2=TEXT を与えてください</source>
        <translation>variable %1 has no default value: give %2=TEXT</translation>
    </message>
    <message>
        <source>その文字は CP932 で表せません: 別の文字を打ってください</source>
        <translation>CP932 cannot hold that text: type another</translation>
    </message>
    <message>
        <source>書き込めないフォルダーの作品のユーザーデータを DIR に置く
(既定: ~/.local/share/qvn の下の作品ごとのフォルダー。
qvn がビルドしたフォルダーから動くときはプログラムのフォルダー)</source>
        <translation>user data of stories in read-only folders goes to DIR
(default: a folder of the story&apos;s own under ~/.local/share/qvn;
the program&apos;s folder when qvn runs from the folder it was built in)</translation>
    </message>
</context>
</TS>
