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
</context>
</TS>
