<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CompilerMessages</name>
    <message>
        <source>%1, %2 の作成中...</source>
        <extracomment>The story files being written: %1 the body, %2 the block index.</extracomment>
        <translation>Creating %1 and %2 ...</translation>
    </message>
    <message>
        <source>行数 : </source>
        <translation>Lines: </translation>
    </message>
    <message>
        <source>ブロック数 : </source>
        <translation>Blocks: </translation>
    </message>
    <message>
        <source>自動設定タイトル : </source>
        <translation>Title (from the file name): </translation>
    </message>
    <message>
        <source>パスワードの設定中...</source>
        <translation>Setting the password ...</translation>
    </message>
    <message>
        <source>パスワードは設定されていません.</source>
        <translation>No password is set.</translation>
    </message>
    <message>
        <source>警告 : ジャンプ先チェックは省略しました.</source>
        <translation>Warning: The jump targets were not checked.</translation>
    </message>
    <message>
        <source>ユーザーファイルの作成中...</source>
        <translation>Creating the user data files ...</translation>
    </message>
    <message>
        <source>正常に終了しました。</source>
        <translation>Finished successfully.</translation>
    </message>
    <message>
        <source>書き込みに失敗しました.他のソフトでQVNファイルを開いている場合は閉じて下さい.</source>
        <translation>Could not write the story files. If another program has the QVN file open, close it there.</translation>
    </message>
    <message>
        <source>このファイル名は使用できません : </source>
        <translation>This file name cannot be used: </translation>
    </message>
    <message>
        <source>*** 第%1行でエラーが発生しました。</source>
        <extracomment>The first line of an error report: %1 the source line&apos;s number.</extracomment>
        <translation>*** Error in line %1.</translation>
    </message>
    <message>
        <source>*** ブロック : </source>
        <translation>*** Block: </translation>
    </message>
    <message>
        <source> (Stage : %1)</source>
        <extracomment>After the message of an error report: %1 the grammar position&apos;s number.</extracomment>
        <translation> (stage %1)</translation>
    </message>
    <message>
        <source>警告 : %1 -- 第%2行</source>
        <extracomment>The first line of a warning report: %1 the message, %2 the source line&apos;s number.</extracomment>
        <translation>Warning in line %2: %1</translation>
    </message>
    <message>
        <source>警告 : </source>
        <translation>Warning: </translation>
    </message>
    <message>
        <source>ブロック : </source>
        <translation>Block: </translation>
    </message>
    <message>
        <source>ブロックが１つもありません.</source>
        <translation>The source has no block.</translation>
    </message>
    <message>
        <source>直前のブロックが終了していません。</source>
        <translation>The block is not closed.</translation>
    </message>
    <message>
        <source>&quot;/&quot; の文法エラーです。</source>
        <translation>Syntax error in a &quot;/&quot; line.</translation>
    </message>
    <message>
        <source>文字数が230を超えています。</source>
        <translation>The line is longer than 230 bytes.</translation>
    </message>
    <message>
        <source>&quot;?end&quot; が存在しません</source>
        <translation>&quot;?END&quot; is missing.</translation>
    </message>
    <message>
        <source>&quot;#&quot; の場所が異常です。</source>
        <translation>A &quot;#&quot; line cannot stand here.</translation>
    </message>
    <message>
        <source>&quot;!&quot; の場所が異常です。</source>
        <translation>A &quot;!&quot; line cannot stand here.</translation>
    </message>
    <message>
        <source>条件設定中のため &quot;&gt;&quot; 文は記述できません。</source>
        <translation>A &quot;&gt;&quot; line cannot follow a condition line.</translation>
    </message>
    <message>
        <source>&quot;&gt;&quot; の場所が異常です。</source>
        <translation>A &quot;&gt;&quot; line cannot stand here.</translation>
    </message>
    <message>
        <source>&quot;?&quot; の文法エラーです。</source>
        <translation>Syntax error in a &quot;?&quot; line.</translation>
    </message>
    <message>
        <source>&quot;?&quot; の場所が異常です。</source>
        <translation>A &quot;?&quot; line cannot stand here.</translation>
    </message>
    <message>
        <source>選択肢の数が多すぎます (&gt;12).</source>
        <translation>Too many choices (more than 12).</translation>
    </message>
    <message>
        <source>ジャンプ先をカンマで区切って指定してください。</source>
        <translation>Give the jump target after a comma.</translation>
    </message>
    <message>
        <source>選択肢と&quot;?END&quot;以後のジャンプ指定が併存しています。</source>
        <translation>The block has both choices and jumps after &quot;?END&quot;.</translation>
    </message>
    <message>
        <source>条件設定中のためテキストを記述できません。</source>
        <translation>Text cannot follow a condition line.</translation>
    </message>
    <message>
        <source>@NOWAIT命令が不正な位置にあります.</source>
        <translation>@NOWAIT cannot stand here.</translation>
    </message>
    <message>
        <source>@NOWAIT命令の後の ?END がありません.</source>
        <translation>&quot;?END&quot; must follow @NOWAIT.</translation>
    </message>
    <message>
        <source>ここにはテキストを記述できません。</source>
        <translation>Text cannot stand here.</translation>
    </message>
    <message>
        <source>選択肢が７つ以上あります。</source>
        <translation>More than six choices: the browser shows only six.</translation>
    </message>
    <message>
        <source>ブロック名は半角8文字以内です。</source>
        <translation>A block name can be at most 8 bytes long.</translation>
    </message>
    <message>
        <source>ブロック名を記述してください。</source>
        <translation>The block name is missing.</translation>
    </message>
    <message>
        <source>ブロックが多すぎます。(&gt;8000)</source>
        <translation>Too many blocks (more than 8000).</translation>
    </message>
    <message>
        <source>このブロック名は既に使用済みです.</source>
        <translation>This block name is already used.</translation>
    </message>
    <message>
        <source>予約されたブロック名なので使用できません。</source>
        <translation>This block name is reserved.</translation>
    </message>
    <message>
        <source>ブロック &quot;%1&quot; をコンパイル中 ...</source>
        <extracomment>Logged at each block head when block names are shown: %1 the block&apos;s name.</extracomment>
        <translation>Compiling block &quot;%1&quot; ...</translation>
    </message>
    <message>
        <source>タイトルは既に指定されています。</source>
        <translation>The title is already set.</translation>
    </message>
    <message>
        <source>タイトル名 : </source>
        <translation>Title: </translation>
    </message>
    <message>
        <source>バージョン指定が誤っています。</source>
        <translation>The version is not valid.</translation>
    </message>
    <message>
        <source>バージョンは既にセットされています。</source>
        <translation>The version is already set.</translation>
    </message>
    <message>
        <source>バージョン : </source>
        <translation>Version: </translation>
    </message>
    <message>
        <source>数値があるべき場所に文字列があります。</source>
        <translation>A number is expected here.</translation>
    </message>
    <message>
        <source>文字列変数が正しく記述されていません。</source>
        <translation>The string variable is not written correctly.</translation>
    </message>
    <message>
        <source>&quot;%&quot; の文法エラーです。</source>
        <translation>Syntax error in a &quot;%&quot; line.</translation>
    </message>
    <message>
        <source>この文字列変数は既に設定済みです。</source>
        <translation>This string variable is already defined.</translation>
    </message>
    <message>
        <source>&quot;!&quot; の文法エラーです。</source>
        <translation>Syntax error in a &quot;!&quot; line.</translation>
    </message>
    <message>
        <source>000番のフラグは操作できません。</source>
        <translation>Flag 000 cannot be set or cleared.</translation>
    </message>
    <message>
        <source>&quot;?&quot; の後にはフラグまたはカウンタ指定が必要です。</source>
        <translation>A flag or a counter must follow &quot;?&quot;.</translation>
    </message>
    <message>
        <source>色の設定のエラーです。</source>
        <translation>The colour must be a number from 0 to 16.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>File not found.</translation>
    </message>
    <message>
        <source>&quot;&gt;&quot; が使用されています。</source>
        <translation>This &quot;&gt;&quot; line uses a file.</translation>
    </message>
    <message>
        <source>サポートしていない&quot;&gt;&quot;文です。</source>
        <translation>This &quot;&gt;&quot; line is not supported.</translation>
    </message>
    <message>
        <source>ジャンプ先をチェックしています...</source>
        <translation>Checking the jump targets ...</translation>
    </message>
    <message>
        <source>存在しないブロック名をジャンプ先に指定しています。</source>
        <translation>The jump target names a block that does not exist.</translation>
    </message>
    <message>
        <source>ブロック %1 は使われていません.</source>
        <extracomment>A block no jump or choice leads to: %1 the block&apos;s name.</extracomment>
        <translation>Block %1 is never used.</translation>
    </message>
    <message>
        <source>Shift-JISで表せない文字があります。</source>
        <translation>The line has a character that Shift-JIS cannot hold.</translation>
    </message>
    <message>
        <source>UTF-8として読めないバイトがあります。</source>
        <translation>The line has a byte that is not valid UTF-8.</translation>
    </message>
    <message>
        <source> (%1, %2文字目)</source>
        <extracomment>After a message about a character of a UTF-8 line: %1 the character (U+XXXX) or the byte (0xXX), %2 its place in the line, counted in characters from 1.</extracomment>
        <translation> (%1, character %2)</translation>
    </message>
</context>
<context>
    <name>FileRefusal</name>
    <message>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>通常のファイルではなく FIFO (名前付きパイプ) です</source>
        <translation>not a regular file but a FIFO (named pipe)</translation>
    </message>
    <message>
        <source>通常のファイルではなくデバイスです</source>
        <translation>not a regular file but a device</translation>
    </message>
    <message>
        <source>通常のファイルではなくソケットです</source>
        <translation>not a regular file but a socket</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます: %1 バイトあり、この種類のファイルで読む %2 バイトを超えています</source>
        <translation>the file is too large: %1 bytes, more than the %2 read for a file of this kind</translation>
    </message>
    <message>
        <source>フォルダーの外のファイルを指すシンボリックリンクを通しては書き込みません</source>
        <translation>a symbolic link to a file outside its own folder is not written through</translation>
    </message>
    <message>
        <source>読んでいる間にファイルが大きくなり、この種類のファイルで読む %1 バイトを超えました</source>
        <translation>the file grew beyond the %1 bytes read for a file of this kind</translation>
    </message>
    <message>
        <source>フォルダーの外のファイルを指すシンボリックリンクは読みません</source>
        <translation>a symbolic link to a file outside its own folder is not read</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>ja</source>
        <translation>en</translation>
    </message>
</context>
<context>
    <name>Manual</name>
    <message>
        <source>マニュアル %1 がインストールされていません</source>
        <translation>the manual %1 is not installed</translation>
    </message>
</context>
<context>
    <name>ProgramHelp</name>
    <message>
        <source>使い方: QVN3 [STORY]
        QVN3 --help | --version | --manual-path

読者のためのブラウザです。コンパイルされた作品 STORY (その .qvn ファイル) を
開き、4 つのセーブスロットのどれかでページごとに読み進めます。

  --help         この説明を表示します
  --version      バージョンを表示します
  --manual-path  F1 で開く説明書のパスを表示します

設定: プログラムのフォルダーに書き込めるときはその中の qvn.ini、
書き込めないときは $XDG_CONFIG_HOME/qvn/qvn.ini (既定は ~/.config/qvn/)。
</source>
        <translation>usage: QVN3 [STORY]
       QVN3 --help | --version | --manual-path

The reader&apos;s browser: opens the compiled story STORY (its .qvn file) and
plays it page by page in one of four save slots.

  --help         print this text
  --version      print the version
  --manual-path  print the path of the manual that F1 shows

Settings: qvn.ini beside the program when its folder may be written,
otherwise $XDG_CONFIG_HOME/qvn/qvn.ini (default ~/.config/qvn/).
</translation>
    </message>
    <message>
        <source>使い方: QvnMakeW [SOURCE]
        QvnMakeW --help | --version | --manual-path

作者のためのワークベンチです。作品のソース SOURCE を開き (新しい名前なら
ひな形から作ります)、編集して、QVN3 で読む作品にコンパイルします。
同じコンパイルをウィンドウなしで行うには qvn compile を使います。

  --help         この説明を表示します
  --version      バージョンを表示します
  --manual-path  F1 で開く説明書のパスを表示します

設定: プログラムのフォルダーに書き込めるときはその中の QvnMakeW.ini、
書き込めないときは $XDG_CONFIG_HOME/qvn/QvnMakeW.ini (既定は ~/.config/qvn/)。
</source>
        <translation>usage: QvnMakeW [SOURCE]
       QvnMakeW --help | --version | --manual-path

The author&apos;s workbench: opens the story source SOURCE (a new name is made
from the template), edits and compiles it into a story for QVN3.
The same compile without a window: qvn compile.

  --help         print this text
  --version      print the version
  --manual-path  print the path of the manual that F1 shows

Settings: QvnMakeW.ini beside the program when its folder may be written,
otherwise $XDG_CONFIG_HOME/qvn/QvnMakeW.ini (default ~/.config/qvn/).
</translation>
    </message>
</context>
<context>
    <name>QVN3</name>
    <message>
        <source>QVNブラウザ v3</source>
        <translation>QVN Browser v3</translation>
    </message>
</context>
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
    <name>StoryGraph</name>
    <message>
        <source>Graphviz を起動できませんでした</source>
        <translation>Graphviz could not be started</translation>
    </message>
    <message>
        <source>Graphviz がグラフを受け付けませんでした</source>
        <translation>Graphviz did not accept the graph</translation>
    </message>
    <message>
        <source>Graphviz がグラフを配置できませんでした (配置のプラグインはインストールされていますか?)</source>
        <translation>Graphviz could not lay out the graph (are its layout plugins installed?)</translation>
    </message>
    <message>
        <source>Graphviz がグラフを SVG で描けませんでした</source>
        <translation>Graphviz could not draw the graph as SVG</translation>
    </message>
    <message>
        <source>グラフが大きすぎて %1 秒と %2 MB のうちに配置できません</source>
        <translation>the graph is too large to lay out within %1 s and %2 MB</translation>
    </message>
    <message>
        <source>Graphviz とのパイプを作れません: %1</source>
        <translation>no pipe for Graphviz: %1</translation>
    </message>
    <message>
        <source>Graphviz を起動できませんでした: %1</source>
        <translation>Graphviz could not be started: %1</translation>
    </message>
</context>
<context>
    <name>StoryReport</name>
    <message>
        <source>%1（新しいゲームの最初のページ）</source>
        <translation>%1 (the first page of a new game)</translation>
    </message>
    <message>
        <source>（新しいゲームの最初のページ）</source>
        <translation>(the first page of a new game)</translation>
    </message>
    <message>
        <source> → </source>
        <translation> → </translation>
    </message>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>開き直す</source>
        <translation>Reopen</translation>
    </message>
    <message>
        <source>ブロック数 : %1&#x3000;到達 : %2&#x3000;未到達 : %3</source>
        <translation>Blocks: %1   reached: %2   not reached: %3</translation>
    </message>
    <message>
        <source>調べた状態の数 : %1</source>
        <translation>States explored: %1</translation>
    </message>
    <message>
        <source>調べた状態の数 : %1（上限に達したため途中で打ち切りました）</source>
        <translation>States explored: %1 (stopped early: the limit was reached)</translation>
    </message>
    <message>
        <source>エンディング : %1</source>
        <translation>Endings: %1</translation>
    </message>
    <message>
        <source>未探索のブロック : %1（上限までに調べが届きませんでした）</source>
        <translation>Block not explored: %1 (the walk did not come to it before the limit)</translation>
    </message>
    <message>
        <source>未到達のブロック : %1（どこからもジャンプしていません）</source>
        <translation>Block never reached: %1 (nothing jumps to it)</translation>
    </message>
    <message>
        <source>未到達のブロック : %1（ここへのジャンプの条件が一度も成り立ちません）</source>
        <translation>Block never reached: %1 (the conditions of the jumps to it never hold)</translation>
    </message>
    <message>
        <source>存在しないブロックへのジャンプ : %1 -&gt; %2 : %3</source>
        <translation>Jump to a missing block: %1 -&gt; %2 : %3</translation>
    </message>
    <message>
        <source>抜け出せない@NOWAITの循環 : %1 : %2</source>
        <translation>@NOWAIT circle with no way out: %1 : %2</translation>
    </message>
    <message>
        <source>再生できないデータ : %1 (%2) : %3</source>
        <translation>Data that cannot be played: %1 (%2) : %3</translation>
    </message>
    <message>
        <source>表示されない選択肢 : %1 の %2 番目「%3」</source>
        <translation>Choice never offered: %1, choice %2 &quot;%3&quot;</translation>
    </message>
    <message>
        <source>問題は見つかりませんでした。</source>
        <translation>No problems found.</translation>
    </message>
    <message>
        <source>問題が %1 件見つかりました。</source>
        <translation>Problems found: %1.</translation>
    </message>
</context>
<context>
    <name>WebExport</name>
    <message>
        <source>General MIDI のサウンドフォントがありません (fluid-soundfont-gm か timgm6mb-soundfont を入れてください)</source>
        <translation>no General MIDI soundfont (install fluid-soundfont-gm or timgm6mb-soundfont)</translation>
    </message>
    <message>
        <source>MIDI ファイルではありません</source>
        <translation>not a MIDI file</translation>
    </message>
    <message>
        <source>一時フォルダーを作れません</source>
        <translation>no temporary folder could be made</translation>
    </message>
    <message>
        <source>fluidsynth で音にできません (Debian の fluidsynth は入っていますか)</source>
        <translation>fluidsynth could not render it (is Debian&apos;s fluidsynth installed?)</translation>
    </message>
    <message>
        <source>oggenc で Ogg にできません (Debian の vorbis-tools は入っていますか)</source>
        <translation>oggenc could not encode it (is Debian&apos;s vorbis-tools installed?)</translation>
    </message>
    <message>
        <source>%1: 物語のフォルダーの外にあるので、ページには入れません</source>
        <translation>%1: lies outside the story&apos;s folder and is not put in the page</translation>
    </message>
    <message>
        <source>%1: MIDI の曲はページに入れません: %2</source>
        <translation>%1: the MIDI tune is not put in the page: %2</translation>
    </message>
    <message>
        <source>%1: 見つかりません (QVN3 と同じく、ページには何も出ません)</source>
        <translation>%1: missing (the page shows nothing for it, as QVN3 does)</translation>
    </message>
    <message>
        <source>ウェブ用の読み手 (%1) がインストールされていません。Debian の emscripten パッケージでビルドされます</source>
        <translation>the web reader (%1) is not installed: it is built with Debian&apos;s emscripten package</translation>
    </message>
    <message>
        <source>%1: ウェブ用の読み手のひな形ではありません</source>
        <translation>%1: not a web reader template</translation>
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
        <source>作品のソース SOURCE をコンパイルして、ソースと同じフォルダーにベース名の .qvn と
.qvj、まっさらなユーザーデータファイル .Q01 から .Q04 を作り、コンパイルの
ログを表示します。
</source>
        <translation>Compiles a story source into SOURCE-base.qvn and .qvj and four fresh user
data files .Q01 to .Q04 beside it, and prints the compile log.
</translation>
    </message>
    <message>
        <source>終了ステータス: 0 コンパイルできた (警告があっても)、1 コンパイルエラー、
2 書き込みの失敗かソースを読めない、64 使い方の誤り。
</source>
        <translation>Exit status: 0 compiled (warnings allowed), 1 compile error, 2 write failure or
unreadable source, 64 bad usage.
</translation>
    </message>
    <message>
        <source>%1 には on か off を与えます</source>
        <translation>%1 takes on or off</translation>
    </message>
    <message>
        <source>ジャンプ先のブロックがあるか調べる (既定 on)</source>
        <translation>check that every jump names a block (default on)</translation>
    </message>
    <message>
        <source>コンパイルするブロックの名前をログに書く (既定 off)</source>
        <translation>log each block as it is compiled (default off)</translation>
    </message>
    <message>
        <source>細かい警告を省く (既定 on)</source>
        <translation>leave out the minor warnings (default on)</translation>
    </message>
    <message>
        <source>TEXT を作品のパスワードにする</source>
        <translation>store TEXT as the story&apos;s password</translation>
    </message>
    <message>
        <source>パスワードのキー番号、256 から 32000 (「$」で 16 進)</source>
        <translation>the password&apos;s key number, 256 to 32000 ($ for hex)</translation>
    </message>
    <message>
        <source>--key には 256 から 32000 の数を与えます</source>
        <translation>--key takes a number from 256 to 32000</translation>
    </message>
    <message>
        <source>エラーを赤、警告を青で表示 (auto: 端末のときだけ)</source>
        <translation>errors red, warnings blue (auto: on a terminal)</translation>
    </message>
    <message>
        <source>--color には auto、always、never のどれかを与えます</source>
        <translation>--color takes auto, always or never</translation>
    </message>
    <message>
        <source>表示するログの文字コード (既定 utf-8)</source>
        <translation>encoding of the printed log (default utf-8)</translation>
    </message>
    <message>
        <source>--encoding には utf-8 か cp932 を与えます</source>
        <translation>--encoding takes utf-8 or cp932</translation>
    </message>
    <message>
        <source>SOURCE の文字コード (既定 auto: バイト順マークが
あるか、ASCII 以外の文字を含む正しい UTF-8 なら
UTF-8、ほかは Shift-JIS)</source>
        <translation>encoding of SOURCE (default auto: UTF-8 when it has
a byte-order mark or is valid UTF-8 with non-ASCII
text, otherwise Shift-JIS)</translation>
    </message>
    <message>
        <source>--source-encoding には auto、cp932、utf-8 のどれかを与えます</source>
        <translation>--source-encoding takes auto, cp932 or utf-8</translation>
    </message>
    <message>
        <source>エラーと警告を一つずつ標準エラー出力にも書く。
形は FILE:LINE:COLUMN: error|warning: MESSAGE
(UTF-8)</source>
        <translation>also print each error and warning to stderr as
FILE:LINE:COLUMN: error|warning: MESSAGE (UTF-8)</translation>
    </message>
    <message>
        <source>--diagnostics には gcc を与えます</source>
        <translation>--diagnostics takes gcc</translation>
    </message>
    <message>
        <source>--password と --key は一緒に与えます</source>
        <translation>--password and --key go together</translation>
    </message>
    <message>
        <source>コンパイル済みの作品で、読み手が新しいゲームからどこまで行けるかを、ブラウザと
同じランタイムで調べます。STORY には作品の .qvn、.qvj か同じベース名のどれかの
ファイルを与えます。表示されうるページのすべてを、そのときありうるフラグと
カウンターの組ごとに、そこで示される選択肢のすべてとともにたどり、終わりの後の
次のプレイも調べます。

たどり着くブロックとたどり着かないブロック、エンディング、存在しないブロックへの
ジャンプ、読み手が抜け出せない @NOWAIT の循環、一度も示されない選択肢を報告し
ます。そこへの道は、まっさらなスロット 1 からそこへ行く `qvn play` の引数 (その
後に STORY) で示します: いちばん短いキーの並びと、既定値のない変数ごとの --var
です。JSON では &quot;replay&quot; です。--max-states までに調べの届かなかったブロックは
「未探索」です。
</source>
        <translation>Explores what a reader can reach in a compiled story (STORY names its .qvn,
.qvj or any file of the same base name), from a new game, on the same
runtime as the browser: every page with the flags and counters it can be
shown with, every choice offered there, and the next play after each end.

Reports the blocks reached and not reached, the endings, jumps to missing
blocks, @NOWAIT circles a reader can fall into and choices never offered.
Each way is given as the arguments of `qvn play` (STORY after them) that
lead there from a fresh slot 1 (the shortest such keys), with a --var for
each variable that has no default; the JSON gives them as &quot;replay&quot;.
Blocks the walk did not come to before --max-states are &quot;not explored&quot;.
</translation>
    </message>
    <message>
        <source>終了ステータス: 0 何も見つからなかった、1 問題が見つかったか作品を読めない、
2 --max-states で調べを打ち切った、64 使い方の誤り。
</source>
        <translation>Exit status: 0 nothing found, 1 problems found or the story cannot be read,
2 the exploration stopped at --max-states, 64 bad usage.
</translation>
    </message>
    <message>
        <source>状態を N 個調べたら打ち切る (既定 5000000)</source>
        <translation>stop after N states (default 5000000)</translation>
    </message>
    <message>
        <source>--max-states には 1 から %1 の数を与えます</source>
        <translation>--max-states takes a number from 1 to %1</translation>
    </message>
    <message>
        <source>文章の報告の代わりに JSON のオブジェクトを一つ書く</source>
        <translation>one JSON object instead of the text report</translation>
    </message>
    <message>
        <source>コンパイル済みの作品を、どのブラウザでもファイルからでもウェブサーバーからでも
開ける一つの HTML ページに書き出します。STORY には作品の .qvn、.qvj か同じ
ベース名のどれかのファイルを与えます。ページには作品と、作品が名指す画像と音の
すべてと、読むためのプログラム (QVN3 と同じランタイムを WebAssembly にしたもの)
が入り、ネットワークは使いません。
MIDI の曲は FluidSynth で Ogg Vorbis にします。
</source>
        <translation>Writes a compiled story (STORY names its .qvn, .qvj or any file of the same
base name) as one HTML page that any browser opens, from a file or from a
web server: the story, every picture and sound it names, and the reader
(the same runtime as QVN3, in WebAssembly). No network is used by the page.
MIDI tunes are rendered to Ogg Vorbis with FluidSynth.
</translation>
    </message>
    <message>
        <source>作品が名指す画像や音が見つからないときは警告です。
終了ステータス: 0 書けた、1 作品かメディアのファイルを読めない (何も書かない)、
2 ページを書けない (前のファイルは残る) かウェブリーダーがインストールされて
いない、64 使い方の誤り。
</source>
        <translation>A picture or sound the story names that is missing is a warning.
Exit status: 0 written, 1 a story or media file cannot be read (nothing
written), 2 the page cannot be written (the previous file is kept) or the
web reader is not installed, 64 bad usage.
</translation>
    </message>
    <message>
        <source>形式 (これだけ): 一つの HTML ファイル</source>
        <translation>the format, and the only one: one HTML file</translation>
    </message>
    <message>
        <source>書き出す先 (既定: 作品と同じフォルダーの、作品の
ベース名に .html を付けたファイル)</source>
        <translation>where to write it (default: the story&apos;s base name with
.html, beside the story)</translation>
    </message>
    <message>
        <source>--output にはファイルを与えます</source>
        <translation>--output needs a file</translation>
    </message>
    <message>
        <source>形式を与えてください: --web</source>
        <translation>give the format: --web</translation>
    </message>
    <message>
        <source>警告: %1</source>
        <translation>warning: %1</translation>
    </message>
    <message>
        <source>コンパイル済みの作品のブロックのグラフを標準出力に書きます。STORY には作品の
.qvn、.qvj か同じベース名のどれかのファイルを与えます。ブロックごとに節点が
一つ (最初のブロックは二重線、エンディングは八角形、@NOWAIT のブロックは破線の
楕円)、選択肢ごと (見出しを添えて) とジャンプの行ごと (条件を添えて) に辺が
一本です。存在しないブロックへのジャンプは赤い名前に行き着きます。
</source>
        <translation>Writes the block graph of a compiled story (STORY names its .qvn, .qvj or
any file of the same base name) to standard output: one node per block
(the start block drawn double, endings as octagons, @NOWAIT blocks as
dashed ellipses), one edge per choice (its caption) and per jump line (its
condition); jumps to missing blocks end in red names.
</translation>
    </message>
    <message>
        <source>SVG は 25 秒と 1 GB のうちに配置します。大きなグラフは見出しを省いて描き、道が
数千を超えると速い配置で描きます。それでも大きすぎるグラフはメッセージを出して
描きません: DOT で書き出すか、--around で一つのブロックのまわりだけを描いて
ください。

終了ステータス: 0 書けた、1 作品を読めないか描けない、64 使い方の誤り。
</source>
        <translation>SVG is laid out in at most 25 s and 1 GB; larger graphs are drawn without
captions and, beyond a few thousand ways, by a faster layout. A graph too
large even for that is refused with a message: write it as DOT, or draw the
part around one block with --around.

Exit status: 0 written, 1 the story cannot be read or drawn, 64 bad usage.
</translation>
    </message>
    <message>
        <source>dot: Graphviz の DOT 言語 (既定)
svg: Graphviz のライブラリで配置して描く</source>
        <translation>dot: Graphviz&apos;s DOT language (the default)
svg: laid out and drawn by Graphviz&apos;s library</translation>
    </message>
    <message>
        <source>--format には dot か svg を与えます</source>
        <translation>--format takes dot or svg</translation>
    </message>
    <message>
        <source>先に作品を調べる (qvn explore と同じ): どの読み手も
たどり着かないブロックを灰色に、一度も示されない
選択肢を破線にする</source>
        <translation>explore the story first (as qvn explore does): blocks no
reader reaches are grey, choices never offered dashed</translation>
    </message>
    <message>
        <source>BLOCK から道二つまでのブロックだけを描く</source>
        <translation>only the blocks at most two ways from BLOCK</translation>
    </message>
    <message>
        <source>--around にはブロックの名前を与えます (CP932 で 1 から 8 バイト)</source>
        <translation>--around takes a block name (1 to 8 bytes in CP932)</translation>
    </message>
    <message>
        <source>作品に %1 というブロックはありません</source>
        <translation>the story has no block %1</translation>
    </message>
    <message>
        <source>%1 (ブロック %2 個、道 %3 本): --format=dot で DOT として書き出すか、--around=BLOCK で一つのブロックのまわりだけを描いてください</source>
        <translation>%1 (%2 blocks, %3 ways): write it as DOT with --format=dot, or draw the part around one block with --around=BLOCK</translation>
    </message>
    <message>
        <source>使い方: qvn &lt;コマンド&gt; [オプション]

コマンド:
  compile   作品のソースをコンパイルする (qvn compile --help)
  play      コンパイル済みの作品を端末で読む (qvn play --help)
  explore   読み手が作品のどこまで行けるかを調べる (qvn explore --help)
  graph     作品のブロックのグラフを書き出す (qvn graph --help)
  export    作品を一つの HTML ページにする (qvn export --help)

qvn --version はバージョンを表示します。オプションはすべて man qvn にあります。
</source>
        <translation>usage: qvn &lt;command&gt; [options]

commands:
  compile   compile a story source (qvn compile --help)
  play      play a compiled story in the terminal (qvn play --help)
  explore   what a reader can reach in a compiled story (qvn explore --help)
  graph     the block graph of a compiled story (qvn graph --help)
  export    a compiled story as one HTML page (qvn export --help)

qvn --version prints the version; man qvn describes every option.
</translation>
    </message>
    <message>
        <source>%1 というコマンドはありません</source>
        <translation>unknown command &apos;%1&apos;</translation>
    </message>
    <message>
        <source>書き込めないフォルダーの作品のユーザーデータを DIR に置く
(既定: ~/.local/share/qvn の下の作品ごとのフォルダー。
ビルドしたフォルダーで動く qvn ではプログラムのフォルダー)</source>
        <translation>user data of stories in read-only folders goes to DIR
(default: a folder per story under ~/.local/share/qvn;
the program&apos;s folder when qvn runs from its build folder)</translation>
    </message>
</context>
<context>
    <name>qvn::AboutBox</name>
    <message>
        <source>QVNブラウザ Dialog</source>
        <translation>QVN Browser</translation>
    </message>
    <message>
        <source>QVNブラウザ v3.20a</source>
        <translation>QVN Browser v3.20a</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>消去</source>
        <translation>Erase</translation>
    </message>
</context>
<context>
    <name>qvn::AllowedStoriesDialog</name>
    <message>
        <source>外部プログラムを常に許可した物語</source>
        <translation>Stories Always Allowed to Start Programs</translation>
    </message>
    <message>
        <source>これらの物語はフォルダー内のプログラムを確認なしで起動します。</source>
        <translation>These stories start the programs in their folders without asking.</translation>
    </message>
    <message>
        <source>許可を取り消す(&amp;W)</source>
        <translation>&amp;Withdraw Permission</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>qvn::FindBar</name>
    <message>
        <source>検索:</source>
        <translation>Find:</translation>
    </message>
</context>
<context>
    <name>qvn::FontDialog</name>
    <message>
        <source>標準</source>
        <translation>Regular</translation>
    </message>
    <message>
        <source>太字</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>太字 斜体</source>
        <translation>Bold Italic</translation>
    </message>
    <message>
        <source>%1～%2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>%1: %2 になります</source>
        <translation>%1: %2 will be used</translation>
    </message>
</context>
<context>
    <name>qvn::HelpWindow</name>
    <message>
        <source>説明書が見つかりません: %1</source>
        <translation>The manual cannot be found: %1</translation>
    </message>
</context>
<context>
    <name>qvn::JpegDialog</name>
    <message>
        <source>Bitmap -&gt; JPEGチェンジャー</source>
        <translation>Bitmap to JPEG Converter</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>圧縮率</source>
        <translation>Compression</translation>
    </message>
    <message>
        <source>プログレッシブJPEG</source>
        <translation>Progressive JPEG</translation>
    </message>
    <message>
        <source>グレースケール</source>
        <translation>Grayscale</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>変換(&amp;Z)</source>
        <translation>Con&amp;vert</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>ビットマップを開く</source>
        <translation>Open Bitmap</translation>
    </message>
    <message>
        <source>ビットマップ (*.bmp *.BMP)</source>
        <translation>Bitmaps (*.bmp *.BMP)</translation>
    </message>
</context>
<context>
    <name>qvn::LanguageMenu</name>
    <message>
        <source>次回の起動から日本語で表示します。</source>
        <translation>Japanese will be used the next time the program starts.</translation>
    </message>
    <message>
        <source>次回の起動から英語で表示します。</source>
        <translation>English will be used the next time the program starts.</translation>
    </message>
    <message>
        <source>次回の起動からシステムの言語設定に合わせて表示します。</source>
        <translation>The system&apos;s language will be used the next time the program starts.</translation>
    </message>
    <message>
        <source>言語 / Language(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>システムに合わせる(&amp;S)</source>
        <translation>Use &amp;System Language</translation>
    </message>
</context>
<context>
    <name>qvn::LogView</name>
    <message>
        <source>末尾から続けました</source>
        <translation>Continued from the bottom</translation>
    </message>
    <message>
        <source>先頭から続けました</source>
        <translation>Continued from the top</translation>
    </message>
    <message>
        <source>見つかりません</source>
        <translation>Not found</translation>
    </message>
</context>
<context>
    <name>qvn::MainForm</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>開き直す(&amp;R)</source>
        <translation>&amp;Reopen</translation>
    </message>
    <message>
        <source>一時保存(&amp;T)</source>
        <translation>Quick &amp;Save</translation>
    </message>
    <message>
        <source>一時保存を開く(&amp;Y)</source>
        <translation>Quick &amp;Load</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>説明(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>目次(&amp;I)</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>設定(&amp;O)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>フォント(&amp;F)</source>
        <translation>&amp;Font...</translation>
    </message>
    <message>
        <source>行間隔(&amp;G)</source>
        <translation>Line Spac&amp;ing</translation>
    </message>
    <message>
        <source>広く(&amp;W)</source>
        <translation>&amp;Wider</translation>
    </message>
    <message>
        <source>狭く(&amp;N)</source>
        <translation>&amp;Narrower</translation>
    </message>
    <message>
        <source>標準(&amp;S)</source>
        <translation>&amp;Standard</translation>
    </message>
    <message>
        <source>音声(&amp;S)</source>
        <translation>S&amp;ound</translation>
    </message>
    <message>
        <source>Midファイル</source>
        <translation>&amp;MIDI Files</translation>
    </message>
    <message>
        <source>Wavファイル</source>
        <translation>&amp;WAV Files</translation>
    </message>
    <message>
        <source>その他のファイル</source>
        <translation>&amp;Other Sound Files</translation>
    </message>
    <message>
        <source>互換性(&amp;C)</source>
        <translation>&amp;Compatibility</translation>
    </message>
    <message>
        <source>旧形式外部EXE</source>
        <translation>&amp;Old-Style Program Lines</translation>
    </message>
    <message>
        <source>ローレゾ</source>
        <translation>&amp;Low Resolution</translation>
    </message>
    <message>
        <source>高輝度ふち取り</source>
        <translation>&amp;Bright Outline</translation>
    </message>
    <message>
        <source>文字を滑らかに(&amp;M)</source>
        <translation>S&amp;mooth Text</translation>
    </message>
    <message>
        <source>4:3バランス</source>
        <translation>Fit to &amp;4:3</translation>
    </message>
    <message>
        <source>外部プログラム(&amp;P)</source>
        <translation>Story &amp;Programs</translation>
    </message>
    <message>
        <source>起動しない(&amp;N)</source>
        <translation>&amp;Never Start</translation>
    </message>
    <message>
        <source>常に許可した物語(&amp;A)...</source>
        <translation>&amp;Always Allowed Stories...</translation>
    </message>
    <message>
        <source>使用方法：</source>
        <translation>How to use:</translation>
    </message>
    <message>
        <source>１．[ファイル]→[開く]でソースファイルを開く。</source>
        <translation>1. Open a source file with [File] &gt; [Open].</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;（新規作成の場合は新しいファイル名で「開く」を実行）</source>
        <translation>   (For a new story, open a file name that does not exist yet.)</translation>
    </message>
    <message>
        <source>２．編集後、[ファイル]→[コンパイル]でファイルをコンパイルする。</source>
        <translation>2. After editing, compile it with [File] &gt; [Compile].</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;（外部エディタやＱＶＮデバッガ等を使っている場合はコンパイ</source>
        <translation>   (If an outside editor or the QVN debugger has the file open,</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;ルの前にそれらを閉じてください）</source>
        <translation>    close them before compiling.)</translation>
    </message>
    <message>
        <source>３．エラーが出なければ、成功。</source>
        <translation>3. If no errors are shown, the story is ready.</translation>
    </message>
    <message>
        <source>※QVN-Maker3はQVNを開発するソフトです。QVNを鑑賞</source>
        <translation>* QVN-Maker3 is for writing QVN stories. To read</translation>
    </message>
    <message>
        <source>&#x3000;するには、QVNブラウザ(QVN3.EXE)をご利用ください。</source>
        <translation>  them, use the QVN Browser (QVN3).</translation>
    </message>
    <message>
        <source>このファイル名は使用できません : %1</source>
        <translation>This file name cannot be used: %1</translation>
    </message>
    <message>
        <source>対象ファイル : %1</source>
        <translation>Source: %1</translation>
    </message>
    <message>
        <source>%1 に書き込めません</source>
        <translation>Cannot write to %1</translation>
    </message>
    <message>
        <source>編集中のテキストを保存できませんでした。保存せずに終了しますか?</source>
        <translation>The text being edited could not be saved. Exit without saving?</translation>
    </message>
    <message>
        <source>コンパイル(&amp;C)</source>
        <translation>&amp;Compile</translation>
    </message>
    <message>
        <source>エディタで編集(&amp;E)</source>
        <translation>&amp;Edit Source</translation>
    </message>
    <message>
        <source>ブラウザの起動(&amp;B)</source>
        <translation>Start &amp;Browser</translation>
    </message>
    <message>
        <source>デバッガの起動(&amp;D)</source>
        <translation>Start &amp;Debugger</translation>
    </message>
    <message>
        <source>&amp;JPEGチェンジャー</source>
        <translation>&amp;JPEG Converter...</translation>
    </message>
    <message>
        <source>ストーリー検査(&amp;S)</source>
        <translation>Check &amp;Story</translation>
    </message>
    <message>
        <source>ストーリー図(&amp;G)</source>
        <translation>Story &amp;Graph</translation>
    </message>
    <message>
        <source>&amp;Web用に書き出す...</source>
        <translation>Export for the &amp;Web...</translation>
    </message>
    <message>
        <source>%1
このファイルは存在しません。
ファイルを作成しますか?</source>
        <translation>%1
This file does not exist.
Create it?</translation>
    </message>
    <message>
        <source>バージョン(&amp;A)</source>
        <translation>&amp;About QVN-Maker3</translation>
    </message>
    <message>
        <source>オプション(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>エディタの指定(&amp;E)</source>
        <translation>&amp;Editor</translation>
    </message>
    <message>
        <source>QVN-Maker(&amp;S)</source>
        <translation>&amp;Built-in (QVN-Maker)</translation>
    </message>
    <message>
        <source>外部プログラム(&amp;O)</source>
        <translation>&amp;Other Program...</translation>
    </message>
    <message>
        <source>ジャンプ先チェック(&amp;J)</source>
        <translation>Check &amp;Jump Targets</translation>
    </message>
    <message>
        <source>ブロック名表示(&amp;B)</source>
        <translation>Show &amp;Block Names</translation>
    </message>
    <message>
        <source>警告簡略化(&amp;W)</source>
        <translation>Brief &amp;Warnings</translation>
    </message>
    <message>
        <source>パスワード有効(&amp;P)</source>
        <translation>&amp;Password Protection...</translation>
    </message>
    <message>
        <source>ソースの文字コード(&amp;K)</source>
        <translation>Source En&amp;coding</translation>
    </message>
    <message>
        <source>自動判別(&amp;A)</source>
        <translation>&amp;Automatic</translation>
    </message>
    <message>
        <source>ストーリー図を描いています…</source>
        <translation>Drawing the story graph…</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ストーリー図</source>
        <translation>Story Graph</translation>
    </message>
    <message>
        <source>ストーリー図の保存</source>
        <translation>Save Story Graph</translation>
    </message>
    <message>
        <source>コンパイル済みのストーリーを読めません : %1</source>
        <translation>The compiled story cannot be read: %1</translation>
    </message>
    <message>
        <source>ストーリー検査 : %1</source>
        <translation>Story check: %1</translation>
    </message>
    <message>
        <source>このストーリーは大きすぎて、決められた時間とメモリの中では図にできません（%1 ブロック、%2 本の矢印）。
DOT 形式で保存するか、選んだブロックの周りだけを描くことができます。</source>
        <translation>This story is too large to draw within the time and memory allowed (%1 blocks, %2 arrows).
You can save it in DOT format, or draw only the part around a block you choose.</translation>
    </message>
    <message>
        <source>DOT で保存(&amp;D)</source>
        <translation>Save as &amp;DOT...</translation>
    </message>
    <message>
        <source>ブロックの周り(&amp;B)</source>
        <translation>Around a &amp;Block...</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>中心にするブロック :</source>
        <translation>Block at the centre:</translation>
    </message>
    <message>
        <source>Web用に書き出せません : %1</source>
        <translation>Cannot export for the web: %1</translation>
    </message>
    <message>
        <source>Web用に書き出しました : %1</source>
        <translation>Exported for the web: %1</translation>
    </message>
    <message>
        <source>書き出したページをブラウザで開きますか?</source>
        <translation>Open the exported page in a web browser?</translation>
    </message>
    <message>
        <source>読み上げ(&amp;V)</source>
        <translation>&amp;Read Aloud</translation>
    </message>
    <message>
        <source>ページを読み上げる(&amp;V)</source>
        <translation>Read Each &amp;Page Aloud</translation>
    </message>
    <message>
        <source>もう一度読む(&amp;L)</source>
        <translation>Read the Page &amp;Again</translation>
    </message>
    <message>
        <source>速さ(&amp;S)</source>
        <translation>&amp;Speed</translation>
    </message>
    <message>
        <source>とても遅く</source>
        <translation>Very Slow</translation>
    </message>
    <message>
        <source>遅く</source>
        <translation>Slow</translation>
    </message>
    <message>
        <source>標準</source>
        <comment>reading-aloud speed</comment>
        <translation>Normal</translation>
    </message>
    <message>
        <source>速く</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>とても速く</source>
        <translation>Very Fast</translation>
    </message>
</context>
<context>
    <name>qvn::PasswordDialog</name>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>qvn::ProgramQuestion</name>
    <message>
        <source>(なし)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>外部プログラムの起動</source>
        <translation>Start a Program</translation>
    </message>
    <message>
        <source>物語「%1」がプログラムを起動しようとしています。</source>
        <translation>The story “%1” wants to start a program.</translation>
    </message>
    <message>
        <source>プログラム: %1</source>
        <translation>Program: %1</translation>
    </message>
    <message>
        <source>引数: %1</source>
        <translation>Arguments: %1</translation>
    </message>
    <message>
        <source>このプログラムは物語のフォルダーの外にあります。
フォルダーの外のプログラムは毎回確認します（常に許可はできません）。</source>
        <translation>This program lies outside the story&apos;s folder.
Programs outside the folder are asked about every time (they cannot be always allowed).</translation>
    </message>
    <message>
        <source>起動したプログラムはこのコンピューターで何でもできます。信頼できる物語のときだけ起動してください。</source>
        <translation>A program that is started can do anything on this computer. Start it only if you trust the story.</translation>
    </message>
    <message>
        <source>今回は起動する(&amp;S)</source>
        <translation>&amp;Start This Time</translation>
    </message>
    <message>
        <source>起動しない(&amp;N)</source>
        <translation>Do&amp;n&apos;t Start</translation>
    </message>
    <message>
        <source>この物語では常に許可する(&amp;A)</source>
        <translation>&amp;Always Allow for This Story</translation>
    </message>
</context>
<context>
    <name>qvn::RuntimeText</name>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>ユーザーデータ書込み不能</source>
        <translation>The save file cannot be written.</translation>
    </message>
    <message>
        <source>未使用ファイルです。</source>
        <translation>This slot is unused.</translation>
    </message>
    <message>
        <source>使用中です。</source>
        <translation>This slot is in use.</translation>
    </message>
    <message>
        <source>破損したファイルです。</source>
        <translation>This slot file is damaged.</translation>
    </message>
    <message>
        <source>読めません</source>
        <translation>This slot cannot be read.</translation>
    </message>
    <message>
        <source>初期化(OKならもう一度消去を押す)</source>
        <translation>Press Erase again to clear it.</translation>
    </message>
    <message>
        <source>作品のバージョン : %1</source>
        <translation>Story version: %1</translation>
    </message>
    <message>
        <source>%1を入力して下さい</source>
        <translation>Enter %1:</translation>
    </message>
</context>
<context>
    <name>qvn::StoryGraphWindow</name>
    <message>
        <source>ストーリー図</source>
        <translation>Story Graph</translation>
    </message>
    <message>
        <source>拡大(&amp;+)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>縮小(&amp;-)</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>全体(&amp;W)</source>
        <translation>Fit &amp;Whole</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save...</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ストーリー図の保存</source>
        <translation>Save Story Graph</translation>
    </message>
</context>
<context>
    <name>qvn::StoryOpenDialog</name>
    <message>
        <source>フォルダー</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>%1 ファイル</source>
        <translation>%1 File</translation>
    </message>
</context>
</TS>
