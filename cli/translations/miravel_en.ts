<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CliText</name>
    <message>
        <source>不明なオプションです: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>%1 は値を取りません: %2</source>
        <translation>%1 takes no value: %2</translation>
    </message>
    <message>
        <source>オプションに値がありません（--format、--print-pdf と --output には値が要ります）。</source>
        <translation>An option lacks its value (--format, --print-pdf and --output need one).</translation>
    </message>
    <message>
        <source>%1 は同時に指定できません。</source>
        <translation>%1 cannot be used together.</translation>
    </message>
    <message>
        <source>%1 にはデータファイルを一つだけ指定してください。</source>
        <translation>%1 needs exactly one data file.</translation>
    </message>
    <message>
        <source>--print-pdf には出力する PDF ファイル名を指定してください。</source>
        <translation>--print-pdf needs the name of the PDF file to write.</translation>
    </message>
    <message>
        <source>--format は --parts または --levels と一緒に指定してください。</source>
        <translation>--format is used together with --parts or --levels.</translation>
    </message>
    <message>
        <source>--parts にはネットワークファイル（.tvdn）を指定してください: %1</source>
        <translation>--parts needs a network file (.tvdn): %1</translation>
    </message>
    <message>
        <source>--format の形式は text、csv、json のいずれかです: %1</source>
        <translation>The --format is one of text, csv, json: %1</translation>
    </message>
    <message>
        <source>ファイル名が空です。</source>
        <translation>A file name is empty.</translation>
    </message>
    <message>
        <source>使い方: miravel [データファイル.tvd | ネットワーク.tvdn]
        miravel --levels [--format text|csv|json] データファイル.tvd
        miravel --levels [--format text|csv|json] ネットワーク.tvdn
        miravel --parts [--format text|csv|json] ネットワーク.tvdn
        miravel --print-pdf 出力.pdf データファイル.tvd
        miravel --design ネットワーク.tvdn --output 出力.tvdn

データファイルを指定すると、「読み込み」と同じように読み込んで画面を開きます。
ネットワークファイル（.tvdn）は「建物の配線網」画面で開きます。

オプション:
  --levels           VHF・UHF・BS・CS のブースター入力レベルと、端末レベル計算の
                     結果（ブースター出力・損失・端末レベル）を表示します。
                     画面は開きません。
                     ネットワークファイル（.tvdn）では、すべての端子の帯域ごとの
                     レベルと判定、全端子が基準を満たすヘッドエンド出力の
                     範囲を表示します。
                     判定には画面で最後に選んだ基準と雑音指数を使います。
  --parts            ネットワークファイル（.tvdn）の部材集計表（部品の型式ごとの個数、
                     ケーブル種別ごとの長さ、接栓の数）を表示します。画面は開きません。
  --format &lt;形式&gt;    --levels と --parts の出力形式: text（既定、桁揃え）、csv、json
  --print-pdf &lt;PDF&gt;  「印刷（データ）」と同じ計算書を PDF ファイルに書き出します。
                     画面は開きません。
  --design           ネットワークファイルの分岐器・分配器・直列ユニットの型式と
                     ヘッドエンド出力を自動で選び（自動設計）、--output の
                     ファイルに書き出します。読み込んだファイルは変更しません。
  --output &lt;ファイル&gt; --design の書き出し先（読み込むファイルとは別の名前）
  -h, --help         この説明を表示します。
  -v, --version      バージョンを表示します。

--levels、--parts、--print-pdf、--design は設定ファイルを変更せず、ディスプレイも使いません。

終了状態: 0 成功、1 ファイルを読み込めない・計算できない・書き出せない、
          2 コマンドラインの誤り、3 基準を外れた端子がある（.tvdn）・
          自動設計でも基準を満たせない端子がある（--design）
</source>
        <translation>Usage: miravel [PROJECT.tvd | NETWORK.tvdn]
       miravel --levels [--format text|csv|json] PROJECT.tvd
       miravel --levels [--format text|csv|json] NETWORK.tvdn
       miravel --parts [--format text|csv|json] NETWORK.tvdn
       miravel --print-pdf OUTPUT.pdf PROJECT.tvd
       miravel --design NETWORK.tvdn --output OUTPUT.tvdn

With a project file, the program loads it as 読み込み (Load) does and opens
its windows. A network file (.tvdn) opens in the building network screen.

Options:
  --levels           Print the booster input levels of VHF, UHF, BS and CS and
                     the result of the terminal level calculation (booster
                     output, loss, terminal level). Opens no window.
                     For a network file (.tvdn), print every outlet&apos;s level
                     and verdict per band, and the head-end output levels for
                     which every outlet passes.
                     Verdicts use the criteria and noise figures last chosen
                     on the screens.
  --parts            Print the parts list of a network file (.tvdn): pieces
                     per part model, metres per cable type, connectors.
                     Opens no window.
  --format &lt;FORMAT&gt;  Output format of --levels and --parts: text (default,
                     aligned), csv, json
  --print-pdf &lt;PDF&gt;  Write the calculation report that 印刷（データ） (Print
                     data) prints into a PDF file. Opens no window.
  --design           Choose the models of the network file&apos;s branchers,
                     distributors and series units and the head-end output
                     automatically (自動設計) and write the result to the
                     --output file. The input file is never changed.
  --output &lt;FILE&gt;    Where --design writes (not the input file itself)
  -h, --help         Show this help.
  -v, --version      Show the version.

--levels, --parts, --print-pdf and --design leave the settings file unchanged
and need no display.

Exit status: 0 success, 1 a file could not be read, calculated or written,
             2 command-line error, 3 an outlet outside its criteria (.tvdn),
             or one that no design makes pass (--design)
</translation>
    </message>
    <message>
        <source>
詳しくは miravel --help を参照してください。
</source>
        <translation>
See miravel --help for details.
</translation>
    </message>
    <message>
        <source>設定ファイル「%1」は通常のファイルではないため使いません。今回の設定は保存されません。</source>
        <translation>The settings file &quot;%1&quot; is not a regular file and is not used. Settings of this run are not saved.</translation>
    </message>
    <message>
        <source>標準出力に書き込めませんでした: %1</source>
        <translation>Could not write to standard output: %1</translation>
    </message>
    <message>
        <source>「%1」に書き込めません: %2</source>
        <translation>Cannot write &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>--print-pdf で印刷できるのは計算データ（.tvd）だけです。「%1」は建物の配線網のファイルです。</source>
        <translation>--print-pdf prints project files (.tvd) only. &quot;%1&quot; is a building network file.</translation>
    </message>
    <message>
        <source>「%1」はフォルダーです。PDF ファイルの名前を指定してください。</source>
        <translation>&quot;%1&quot; is a folder. Give the name of a PDF file.</translation>
    </message>
    <message>
        <source>PDF の保存先フォルダー「%1」がありません。</source>
        <translation>The folder &quot;%1&quot; for the PDF does not exist.</translation>
    </message>
    <message>
        <source>PDF の出力先「%1」は読み込むデータファイルそのものです。別の名前を指定してください。</source>
        <translation>The PDF output &quot;%1&quot; is the project file itself. Give another name.</translation>
    </message>
    <message>
        <source>--output は --design と一緒に指定してください。</source>
        <translation>--output is used together with --design.</translation>
    </message>
    <message>
        <source>--design は --levels、--parts、--print-pdf と同時に指定できません。</source>
        <translation>--design cannot be used with --levels, --parts or --print-pdf.</translation>
    </message>
    <message>
        <source>--design には --output で書き出すファイル名を指定してください。</source>
        <translation>--design needs the name of the file to write, given with --output.</translation>
    </message>
    <message>
        <source>--design で設計できるのは建物の配線網のファイル（.tvdn）だけです: %1</source>
        <translation>--design designs building network files (.tvdn) only: %1</translation>
    </message>
    <message>
        <source>--output の出力先「%1」は読み込むファイルそのものです。別の名前を指定してください。</source>
        <translation>The --output file &quot;%1&quot; is the input file itself. Give another name.</translation>
    </message>
    <message>
        <source>%1 の基準を満たせない端子があります（%2 端子中 %3）。
</source>
        <translation>Some outlets cannot meet %1 whatever the choice (%3 of %2 outlets).
</translation>
    </message>
</context>
</TS>
