<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Archive</name>
    <message>
        <source>not a whole number of days from 1 up</source>
        <translation>1 以上の整数の日数ではありません</translation>
    </message>
    <message>
        <source>no folder given</source>
        <translation>フォルダーが指定されていません</translation>
    </message>
    <message>
        <source>%1 and %2 cannot be given together</source>
        <translation>%1 と %2 は同時に指定できません</translation>
    </message>
    <message>
        <source>the file was removed while in use</source>
        <translation>使用中のファイルが削除されました</translation>
    </message>
    <message>
        <source>The archive could not pack its samples into miniSEED records.</source>
        <translation>アーカイブのサンプルを miniSEED レコードにまとめられませんでした。</translation>
    </message>
    <message>
        <source>Another recorder is already archiving station %1 in %2.
This one records on screen only and keeps no archive.</source>
        <translation>別のレコーダーが観測点 %1 を %2 にすでに記録しています。
このレコーダーは画面上でのみ記録し、アーカイブは残しません。</translation>
    </message>
    <message>
        <source>folder of the miniSEED archive (default %1)</source>
        <translation>miniSEED アーカイブのフォルダー（既定値 %1）</translation>
    </message>
    <message>
        <source>keep no archive</source>
        <translation>アーカイブを残さない</translation>
    </message>
    <message>
        <source>remove day files older than N days from the archive (default: keep all)</source>
        <translation>N 日より古い日ファイルをアーカイブから削除する（既定: すべて残す）</translation>
    </message>
    <message>
        <source>neither true nor false</source>
        <translation>true でも false でもありません</translation>
    </message>
    <message>
        <source>network, station and location codes of the archive (default %1)</source>
        <translation>アーカイブのネットワーク・観測点・ロケーションコード（既定値 %1）</translation>
    </message>
    <message>
        <source>channel codes of CH-1..CH-4 in the archive (default %1)</source>
        <translation>アーカイブでの CH-1〜CH-4 のチャンネルコード（既定値 %1）</translation>
    </message>
    <message>
        <source>The archive took %1 readings; %2 requests left a gap: %3 without a reply, %4 not a number, %5 out of range, %6 cut short, %7 uncertain after an unanswered request.</source>
        <translation>アーカイブは %1 個の読み取り値を受け取りました。%2 回の要求は欠測になりました：応答なし %3、数値でない %4、範囲外 %5、途中で切れた %6、応答のない要求の直後で不確か %7。</translation>
    </message>
    <message>
        <source>%1 ended in %2 bytes of a torn record, left by a recorder that was stopped while writing; they were cut off so that readers see what follows.</source>
        <translation>%1 の末尾に、書き込み中に止められた記録器が残した途中までのレコード %2 バイトがありました。後に続くデータが読めるよう、切り取りました。</translation>
    </message>
    <message>
        <source>The system clock went back by %1 s. The archive keeps the samples of both times, so the day files hold that much twice over.</source>
        <translation>システム時計が %1 秒戻りました。アーカイブは両方の時刻のサンプルを残すため、日ファイルにはその時間分が重複して入ります。</translation>
    </message>
    <message>
        <source>--keep-days removed the day files of %1 days at once from %2. If the system clock is wrong, set it right.</source>
        <translation>--keep-days により %2 から %1 日分の日ファイルを一度に削除しました。システム時計が狂っている場合は正しく合わせてください。</translation>
    </message>
    <message>
        <source>The archive cannot be written: %1: %2.
Recording goes on; the samples are kept in memory, up to a day, and written once the archive can be written again, which is tried every few seconds.</source>
        <translation>アーカイブに書き込めません: %1: %2。
記録は続行します。サンプルは最大 1 日分までメモリーに保持し、数秒ごとに再試行して、書き込めるようになったときに書き込みます。</translation>
    </message>
    <message>
        <source>The archive in %1 is written again. %2 samples kept in memory meanwhile were written; %3 older ones did not fit and were dropped.</source>
        <translation>%1 のアーカイブへの書き込みを再開しました。その間メモリーに保持していた %2 個のサンプルを書き込みました。入りきらなかった古い %3 個は破棄しました。</translation>
    </message>
    <message>
        <source>%1 samples kept in memory could not be written to the archive.</source>
        <translation>メモリーに保持していた %1 個のサンプルをアーカイブに書き込めませんでした。</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>コマンドラインオプションのヘルプを表示する。</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Qt 固有のオプションを含むヘルプを表示する。</translation>
    </message>
</context>
<context>
    <name>StationCodes</name>
    <message numerus="yes">
        <source>%n letters or digits</source>
        <translation>
            <numerusform>英数字 %n 文字</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 to %2 letters or digits</source>
        <translation>英数字 %1～%2 文字</translation>
    </message>
    <message>
        <source>%1 code &quot;%2&quot; is not %3</source>
        <translation>%1コード「%2」が%3ではありません</translation>
    </message>
    <message>
        <source>station &quot;%1&quot; is not of the form NET.STA.LOC</source>
        <translation>観測点「%1」が NET.STA.LOC の形式ではありません</translation>
    </message>
    <message>
        <source>network</source>
        <translation>ネットワーク</translation>
    </message>
    <message>
        <source>station</source>
        <translation>観測点</translation>
    </message>
    <message>
        <source>location</source>
        <translation>ロケーション</translation>
    </message>
    <message>
        <source>channels &quot;%1&quot; are not four codes C1,C2,C3,C4</source>
        <translation>チャンネル「%1」が 4 つのコード C1,C2,C3,C4 の形式ではありません</translation>
    </message>
    <message>
        <source>channel</source>
        <translation>チャンネル</translation>
    </message>
    <message>
        <source>channel code &quot;%1&quot; is given twice</source>
        <translation>チャンネルコード「%1」が重複しています</translation>
    </message>
</context>
<context>
    <name>kelvra::Events</name>
    <message>
        <source>Event from %1 to %2 on %3, STA/LTA up to %4, %5 counts at most; listed in %6.</source>
        <translation>イベント: %1 から %2 まで %3 で検出、STA/LTA 最大 %4、最大 %5 カウント。%6 に記録しました。</translation>
    </message>
    <message>
        <source>KELVRA: an event was recorded</source>
        <translation>KELVRA: イベントを記録しました</translation>
    </message>
    <message>
        <source>%1 on %2, STA/LTA up to %3</source>
        <translation>%1 に %2 で検出、STA/LTA 最大 %3</translation>
    </message>
    <message>
        <source>An event could not be added to the event list: %1. Recording goes on.</source>
        <translation>イベントをイベント一覧に追加できませんでした: %1。記録は続けます。</translation>
    </message>
    <message>
        <source>An event's miniSEED file could not be written: %1.</source>
        <translation>イベントの miniSEED ファイルを書き込めませんでした: %1。</translation>
    </message>
    <message>
        <source>The on_event command &quot;%1&quot; failed: %2. Later failures of it are not reported.</source>
        <translation>on_event のコマンド「%1」が失敗しました: %2。以後の失敗は報告しません。</translation>
    </message>
    <message>
        <source>it ended with status %1</source>
        <translation>終了ステータス %1 で終わりました</translation>
    </message>
    <message>
        <source>it was ended by signal %1</source>
        <translation>シグナル %1 で終了させられました</translation>
    </message>
    <message>
        <source>detect_channels names %1, which is not one of the station's channels (%2).</source>
        <translation>detect_channels の %1 は観測点のチャンネル (%2) のどれでもありません。</translation>
    </message>
    <message>
        <source>The event detector cannot work with its settings: %1.</source>
        <translation>イベント検出器はこの設定では動作できません: %1。</translation>
    </message>
</context>
<context>
    <name>kelvra::Detector</name>
    <message>
        <source>not LOW-HIGH in Hz with 0 &lt; LOW &lt; HIGH</source>
        <translation>0 &lt; LOW &lt; HIGH となる Hz 単位の LOW-HIGH ではありません</translation>
    </message>
    <message>
        <source>not a number of seconds above 0, up to 86400</source>
        <translation>0 より大きく 86400 以下の秒数ではありません</translation>
    </message>
    <message>
        <source>not a ratio above 1</source>
        <translation>1 より大きい比ではありません</translation>
    </message>
    <message>
        <source>not a whole number from 1 to %1</source>
        <translation>1 から %1 までの整数ではありません</translation>
    </message>
    <message>
        <source>channel code &quot;%1&quot; is not 3 letters or digits</source>
        <translation>チャンネルコード「%1」が英数字 3 文字ではありません</translation>
    </message>
    <message>
        <source>channel code &quot;%1&quot; is given twice</source>
        <translation>チャンネルコード「%1」が重複しています</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>コマンドが指定されていません</translation>
    </message>
    <message>
        <source>the band&apos;s upper edge, %1 Hz, is not below half the sample rate of %2 Hz</source>
        <translation>帯域の上限 %1 Hz がサンプリング周波数 %2 Hz の半分未満ではありません</translation>
    </message>
    <message>
        <source>the off ratio %1 is not below the on ratio %2</source>
        <translation>オフの比 %1 がオンの比 %2 未満ではありません</translation>
    </message>
    <message>
        <source>the short-term average of %1 s is not shorter than the long-term one of %2 s</source>
        <translation>短時間平均 %1 秒が長時間平均 %2 秒より短くありません</translation>
    </message>
    <message>
        <source>the short-term average of %1 s is shorter than a sample at %2 Hz</source>
        <translation>短時間平均 %1 秒が %2 Hz の 1 サンプルより短くなっています</translation>
    </message>
    <message>
        <source>%1 channels are watched, fewer than the %2 an event needs</source>
        <translation>監視するチャンネルは %1 個で、イベントに必要な %2 個より少なくなっています</translation>
    </message>
    <message>
        <source>detect no events in the archived readings</source>
        <translation>記録した読み取り値からイベントを検出しない</translation>
    </message>
    <message>
        <source>channel codes the event detector watches (default: every channel)</source>
        <translation>イベント検出で監視するチャンネルコード (既定: すべてのチャンネル)</translation>
    </message>
    <message>
        <source>band-pass of the event detector in Hz (default %1)</source>
        <translation>イベント検出のバンドパス帯域、Hz 単位 (既定 %1)</translation>
    </message>
    <message>
        <source>short-term average of the event detector in seconds (default %1)</source>
        <translation>イベント検出の短時間平均、秒単位 (既定 %1)</translation>
    </message>
    <message>
        <source>long-term average of the event detector in seconds (default %1)</source>
        <translation>イベント検出の長時間平均、秒単位 (既定 %1)</translation>
    </message>
    <message>
        <source>STA/LTA ratio above which a channel triggers (default %1)</source>
        <translation>チャンネルがトリガーする STA/LTA 比、これを超えるとオン (既定 %1)</translation>
    </message>
    <message>
        <source>STA/LTA ratio at or below which its trigger ends (default %1)</source>
        <translation>トリガーが終わる STA/LTA 比、これ以下でオフ (既定 %1)</translation>
    </message>
    <message>
        <source>channels that must trigger together for an event (default %1)</source>
        <translation>イベントとするために同時にトリガーすべきチャンネル数 (既定 %1)</translation>
    </message>
    <message>
        <source>shell command run for every event, with its fields in KELVRA_* environment variables (default: none)</source>
        <translation>イベントごとに実行するシェルコマンド、イベントの項目は KELVRA_* 環境変数に入る (既定: なし)</translation>
    </message>
</context>
<context>
    <name>kelvra::FailureReport</name>
    <message>
        <source>unknown error</source>
        <translation>不明なエラーです</translation>
    </message>
</context>
<context>
    <name>kelvra::Form1</name>
    <message>
        <source>The save chord Ctrl+Alt+X is not available on this desktop: it offers no way to send keys to the active window. Recording goes on.</source>
        <translation>このデスクトップにはアクティブなウィンドウへキー入力を送る機能がないため、保存用のキー操作 Ctrl+Alt+X を送信できません。記録は続行します。</translation>
    </message>
</context>
<context>
    <name>kelvra::LineSettings</name>
    <message>
        <source>Line settings &quot;%1&quot;: %2</source>
        <translation>通信設定「%1」: %2</translation>
    </message>
    <message>
        <source>parity &quot;%1&quot; is not one of the letters n, e, o, m, s</source>
        <translation>パリティ「%1」は n、e、o、m、s のいずれでもありません</translation>
    </message>
    <message>
        <source>stop bits &quot;%1&quot; are not 1, 1.5 or 2</source>
        <translation>ストップビット「%1」は 1、1.5、2 のいずれでもありません</translation>
    </message>
    <message>
        <source>expected 4 comma-separated fields (baud,parity,data,stop), found %1</source>
        <translation>カンマ区切りの 4 項目（ボーレート,パリティ,データビット,ストップビット）が必要ですが、%1 項目あります</translation>
    </message>
    <message>
        <source>baud rate &quot;%1&quot; is not a positive whole number</source>
        <translation>ボーレート「%1」が正の整数ではありません</translation>
    </message>
    <message>
        <source>data bits &quot;%1&quot; are not 5, 6, 7 or 8</source>
        <translation>データビット「%1」は 5、6、7、8 のいずれでもありません</translation>
    </message>
</context>
<context>
    <name>kelvra::PortAdvice</name>
    <message>
        <source>serial number %1</source>
        <translation>シリアル番号 %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>No serial port is known on this computer. A USB serial adapter appears here once it is plugged in.</source>
        <translation>このコンピューターにはシリアルポートが見つかりません。USB シリアルアダプターは接続するとここに表示されます。</translation>
    </message>
    <message>
        <source>Serial ports on this computer:</source>
        <translation>このコンピューターのシリアルポート:</translation>
    </message>
    <message>
        <source>Choose the port with the option --port DEVICE, or with a line port=DEVICE in the settings file %1.</source>
        <translation>使用するポートは、起動オプション --port デバイス名 で指定するか、設定ファイル %1 に port=デバイス名 の行を書いて指定してください。</translation>
    </message>
    <message>
        <source>The port %1 was chosen in the settings file %2.</source>
        <translation>ポート %1 は設定ファイル %2 で指定されています。</translation>
    </message>
    <message>
        <source>A USB adapter is best named by its /dev/serial/by-id/... name: it stays the same in any USB socket, and an adapter pulled out and plugged in again while recording is found again under it even when it comes back as another ttyUSB or ttyACM number.</source>
        <translation>USB アダプターは /dev/serial/by-id/... の名前で指定するのが確実です。どの USB 差し込み口でも同じ名前になり、記録中に抜けて差し直されたアダプターが別の ttyUSB や ttyACM の番号で戻っても、その名前で見つけ直します。</translation>
    </message>
</context>
<context>
    <name>kelvra::Recorder</name>
    <message>
        <source>Floating-point overflow or invalid operation while computing the chart grid</source>
        <translation>チャートの目盛りの計算中に浮動小数点のオーバーフローまたは無効な演算が発生しました</translation>
    </message>
    <message>
        <source>Replies from the board keep arriving after the tick that should read them (more than one in twenty over the last minute), so the charts show them on the next channel. The usual cause is a USB serial adapter&apos;s latency timer: &quot;USB serial adapters&quot; in the README tells how to set it to 1 ms.</source>
        <translation>ボードの応答が、それを読むはずの周期より後に届き続けています（直近 1 分間で 20 回に 1 回を超えます）。そのためチャートには次のチャンネルの値として表示されます。よくある原因は USB シリアル変換器のレイテンシタイマーです。1 ms に設定する方法は README の「USB serial adapters」にあります。</translation>
    </message>
    <message>
        <source>The archive still keeps every reply it can give to its request.</source>
        <translation>アーカイブは、要求に対応づけられる応答をすべて保存し続けます。</translation>
    </message>
    <message>
        <source>The serial line %1 failed: %2
Recording goes on without data, and the device is tried again every 2 seconds.</source>
        <translation>シリアル回線 %1 でエラーが発生しました: %2
データなしで記録を続け、2 秒ごとにデバイスを開き直します。</translation>
    </message>
    <message>
        <source>The serial line %1 is back. Recording goes on with data.</source>
        <translation>シリアル回線 %1 が復旧しました。データの記録を再開します。</translation>
    </message>
</context>
<context>
    <name>kelvra::Settings</name>
    <message>
        <source>no device is named</source>
        <translation>デバイス名が指定されていません</translation>
    </message>
    <message>
        <source>serial device to use instead of the first serial port, e.g. /dev/ttyUSB0 or a pseudo-terminal</source>
        <translation>1 番目のシリアルポートの代わりに使用するシリアルデバイス（例: /dev/ttyUSB0 や疑似端末）</translation>
    </message>
    <message>
        <source>Settings file %1: %2=%3 is not a setting of this program. Its settings are: %4.</source>
        <translation>設定ファイル %1: %2=%3 はこのプログラムの設定ではありません。使用できる設定: %4。</translation>
    </message>
    <message>
        <source>Settings file %1: %2=%3 cannot be used: %4.</source>
        <translation>設定ファイル %1: %2=%3 は使用できません（%4）。</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; of the option --%2 cannot be used: %3.</source>
        <translation>オプション --%2 の値「%1」は使用できません（%3）。</translation>
    </message>
    <message>
        <source>Settings file %1: line %2 holds a NUL byte, which a text file cannot hold.</source>
        <translation>設定ファイル %1: %2 行目に NUL バイトがあります。テキストファイルに NUL バイトは使えません。</translation>
    </message>
    <message>
        <source>Settings file %1: line %2 is longer than the %3 bytes a line may have.</source>
        <translation>設定ファイル %1: %2 行目が 1 行の上限 %3 バイトより長くなっています。</translation>
    </message>
    <message>
        <source>It is line %1 of the file.</source>
        <translation>ファイルの %1 行目です。</translation>
    </message>
    <message>
        <source>Settings file %1: line %2, &quot;%3&quot;, is not of the form key=value.</source>
        <translation>設定ファイル %1: %2 行目「%3」は「キー=値」の形ではありません。</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read: %2.</source>
        <translation>設定ファイル %1 を読み込めません（%2）。</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>ファイルではありません</translation>
    </message>
</context>
<context>
    <name>kelvra::StationXml</name>
    <message>
        <source>not a latitude in degrees from -90 to below 90</source>
        <translation>-90 以上 90 未満の度単位の緯度ではありません</translation>
    </message>
    <message>
        <source>not a longitude in degrees from -180 to 180</source>
        <translation>-180 から 180 までの度単位の経度ではありません</translation>
    </message>
    <message>
        <source>not a height in metres</source>
        <translation>メートル単位の高さではありません</translation>
    </message>
    <message>
        <source>no site name given</source>
        <translation>設置場所の名前が指定されていません</translation>
    </message>
    <message>
        <source>not a sensitivity above 0</source>
        <translation>0 より大きい感度ではありません</translation>
    </message>
    <message>
        <source>not one of M/S, M/S**2 and V</source>
        <translation>M/S、M/S**2、V のいずれでもありません</translation>
    </message>
    <message>
        <source>not a frequency above 0 in Hz</source>
        <translation>0 より大きい Hz 単位の周波数ではありません</translation>
    </message>
    <message>
        <source>not a damping above 0, as a fraction of critical damping</source>
        <translation>臨界減衰に対する比で表した 0 より大きい減衰定数ではありません</translation>
    </message>
    <message>
        <source>not four values separated by commas, one for each channel</source>
        <translation>チャンネルごとに一つずつ、コンマで区切った四つの値ではありません</translation>
    </message>
    <message>
        <source>azimuth &quot;%1&quot; is not a number of degrees from 0 to below 360</source>
        <translation>方位角「%1」が 0 以上 360 未満の度数ではありません</translation>
    </message>
    <message>
        <source>dip &quot;%1&quot; is not a number of degrees from -90 to 90</source>
        <translation>傾斜角「%1」が -90 から 90 までの度数ではありません</translation>
    </message>
    <message>
        <source>No StationXML written: the station&apos;s position is not fully given (%1 missing). Give latitude= and longitude= in degrees and elevation= in metres in the settings file %2, or --latitude, --longitude and --elevation.</source>
        <translation>StationXML を書き出しませんでした。観測点の位置がすべては指定されていません（%1 がありません）。設定ファイル %2 に latitude= と longitude= を度単位で、elevation= をメートル単位で書くか、--latitude、--longitude、--elevation を指定してください。</translation>
    </message>
    <message>
        <source>No StationXML written: sensor_units is given without sensor_sensitivity, the sensor&apos;s volts per input unit at %1 Hz.</source>
        <translation>StationXML を書き出しませんでした。sensor_units が指定されていますが、sensor_sensitivity（%1 Hz におけるセンサーの入力単位あたりのボルト数）がありません。</translation>
    </message>
    <message>
        <source>No StationXML written: sensor_sensitivity needs sensor_units=M/S or M/S**2; inputs in volts (sensor_units=V, the default) have no sensor stage.</source>
        <translation>StationXML を書き出しませんでした。sensor_sensitivity には sensor_units=M/S または M/S**2 が必要です。入力が電圧の場合（sensor_units=V、既定値）はセンサーの段がありません。</translation>
    </message>
    <message>
        <source>No StationXML written: sensor_natural_frequency and sensor_damping describe the geophone together; give both or neither.</source>
        <translation>StationXML を書き出しませんでした。sensor_natural_frequency と sensor_damping は二つでジオフォンを表します。両方を指定するか、どちらも指定しないでください。</translation>
    </message>
    <message>
        <source>No StationXML written: the poles and zeros of sensor_natural_frequency and sensor_damping are a geophone&apos;s, whose output follows velocity; they need sensor_units=M/S.</source>
        <translation>StationXML を書き出しませんでした。sensor_natural_frequency と sensor_damping から作る極と零点は、出力が速度に従うジオフォンのものなので、sensor_units=M/S が必要です。</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>will not write %1: it exists and is not a regular file</source>
        <translation>%1 には書き込みません。すでに存在し、通常のファイルではありません</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>予期しない引数「%1」</translation>
    </message>
    <message>
        <source>try &apos;kelvra-stationxml --help&apos;</source>
        <translation>&apos;kelvra-stationxml --help&apos; を試してください</translation>
    </message>
    <message>
        <source>Writes the station&apos;s FDSN StationXML: its position, its four channels and their response from counts to volts and, with a sensor, to ground motion.
Settings are read from %1; options given here override them.</source>
        <translation>観測点の FDSN StationXML を書き出します。位置、四つのチャンネル、そしてカウントから電圧へ、センサーがあれば地動への応答を含みます。
設定は %1 から読み込み、ここで指定したオプションがそれより優先されます。</translation>
    </message>
    <message>
        <source>the document to write (default: standard output)</source>
        <translation>書き出す文書（既定値: 標準出力）</translation>
    </message>
    <message>
        <source>the station&apos;s latitude in degrees, north positive (WGS84), for StationXML</source>
        <translation>StationXML に書く観測点の緯度（度、北が正、WGS84）</translation>
    </message>
    <message>
        <source>the station&apos;s longitude in degrees, east positive (WGS84), for StationXML</source>
        <translation>StationXML に書く観測点の経度（度、東が正、WGS84）</translation>
    </message>
    <message>
        <source>the station&apos;s elevation in metres above sea level, for StationXML</source>
        <translation>StationXML に書く観測点の標高（海抜メートル）</translation>
    </message>
    <message>
        <source>the station&apos;s site name in StationXML (default: the station code)</source>
        <translation>StationXML に書く観測点の設置場所の名前（既定値: 観測点コード）</translation>
    </message>
    <message>
        <source>the sensor&apos;s output in volts per input unit at %1 Hz, for StationXML</source>
        <translation>StationXML に書くセンサーの出力（%1 Hz における入力単位あたりのボルト数）</translation>
    </message>
    <message>
        <source>what the sensor measures, for StationXML: M/S (velocity), M/S**2 (acceleration) or V (the inputs are voltages; the default)</source>
        <translation>StationXML に書くセンサーの測る量: M/S（速度）、M/S**2（加速度）、V（入力が電圧、既定値）</translation>
    </message>
    <message>
        <source>the geophone&apos;s natural frequency in Hz, for StationXML</source>
        <translation>StationXML に書くジオフォンの固有周波数（Hz）</translation>
    </message>
    <message>
        <source>the geophone&apos;s damping as a fraction of critical, such as 0.7, for StationXML</source>
        <translation>StationXML に書くジオフォンの減衰定数（臨界減衰に対する比、例えば 0.7）</translation>
    </message>
    <message>
        <source>azimuths of CH-1..CH-4 in degrees clockwise from north, for StationXML; an empty value keeps the default of the channel code</source>
        <translation>StationXML に書く CH-1〜CH-4 の方位角（北から時計回りの度数）。空の値はチャンネルコードによる既定値のままにします</translation>
    </message>
    <message>
        <source>dips of CH-1..CH-4 in degrees down from horizontal (-90 is up), for StationXML; an empty value keeps the default of the channel code</source>
        <translation>StationXML に書く CH-1〜CH-4 の傾斜角（水平から下向きの度数、-90 が上向き）。空の値はチャンネルコードによる既定値のままにします</translation>
    </message>
</context>
<context>
    <name>kelvra::UsbLatency</name>
    <message>
        <source>The USB serial adapter %1 passes on received bytes only every %2 ms (its latency timer), so replies to the 20 ms polls can arrive a tick late and show as &quot;通信エラー&quot;. Unplug the adapter and plug it in again so that the udev rule of the kelvra package sets it to 1 ms, or set it now, until the adapter is next plugged in, with:
  echo 1 | sudo tee %3</source>
        <translation>USB シリアルアダプター %1 は、受信したデータを %2 ms ごとにまとめてしか渡しません（レイテンシタイマー）。このため 20 ms ごとの問い合わせへの応答が 1 回分遅れ、「通信エラー」と表示されることがあります。アダプターを一度抜いて差し直すと、kelvra パッケージの udev ルールにより 1 ms に設定されます。今すぐ設定するには、次のコマンドを実行してください（次に差し直すまで有効です）:
  echo 1 | sudo tee %3</translation>
    </message>
</context>
<context>
    <name>kelvra::WindowFont</name>
    <message>
        <source>kelvra: no font with Japanese glyphs is installed, so the captions and the clock show as boxes. Install one, e.g. the Debian package fonts-ipafont-gothic.</source>
        <translation>kelvra: 日本語の文字を含むフォントがインストールされていないため、画面の文字と時刻が四角で表示されます。Debian パッケージ fonts-ipafont-gothic などをインストールしてください。</translation>
    </message>
</context>
<context>
    <name>kelvra::linkText</name>
    <message>
        <source>The port is not open</source>
        <translation>ポートが開いていません</translation>
    </message>
    <message>
        <source>Port numbers start at 1</source>
        <translation>ポート番号は 1 から始まります</translation>
    </message>
    <message>
        <source>Input length %1 is negative</source>
        <translation>入力長 %1 が負の値です</translation>
    </message>
    <message>
        <source>No device name was given; name one, e.g. --port /dev/ttyUSB0, or leave --port out to use the first serial port</source>
        <translation>デバイス名が指定されていません。--port /dev/ttyUSB0 のように指定するか、最初のシリアルポートを使う場合は --port を省略してください</translation>
    </message>
    <message>
        <source>The device does not exist</source>
        <translation>デバイスが存在しません</translation>
    </message>
    <message>
        <source>The device name is too long for this system (%1 characters)</source>
        <translation>デバイス名がこのシステムで扱える長さを超えています（%1 文字）</translation>
    </message>
    <message>
        <source>No permission to use the device. Serial devices belong to the group dialout: add yourself once with &quot;sudo adduser $USER dialout&quot; and log in again</source>
        <translation>デバイスを使用する権限がありません。シリアルデバイスは dialout グループに属しています。「sudo adduser $USER dialout」で一度だけ自分を追加し、ログインし直してください</translation>
    </message>
    <message>
        <source>The device is in use by another program</source>
        <translation>デバイスは別のプログラムが使用中です</translation>
    </message>
    <message>
        <source>The device is in use by %1</source>
        <translation>デバイスは %1 が使用中です</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>%1 (process %2)</source>
        <translation>%1（プロセス %2）</translation>
    </message>
    <message>
        <source>This is not a serial device</source>
        <translation>シリアルデバイスではありません</translation>
    </message>
    <message>
        <source>The device cannot be opened (%1)</source>
        <translation>デバイスを開けません（%1）</translation>
    </message>
    <message>
        <source>The device refused the line settings (%1)</source>
        <translation>デバイスが通信設定を受け付けませんでした（%1）</translation>
    </message>
    <message>
        <source>The baud rate %1 is not supported on this system</source>
        <translation>通信速度 %1 はこのシステムでは使用できません</translation>
    </message>
    <message>
        <source>1.5 stop bits are not supported on this system</source>
        <translation>ストップビット 1.5 はこのシステムでは使用できません</translation>
    </message>
    <message>
        <source>Mark and space parity are not supported on this system</source>
        <translation>マーク／スペースパリティはこのシステムでは使用できません</translation>
    </message>
    <message>
        <source>The device is no longer available</source>
        <translation>デバイスが使用できなくなりました</translation>
    </message>
    <message>
        <source>The device is no longer available (%1)</source>
        <translation>デバイスが使用できなくなりました（%1）</translation>
    </message>
    <message>
        <source>Reading from the device failed (%1)</source>
        <translation>デバイスからの読み取りに失敗しました（%1）</translation>
    </message>
    <message>
        <source>Writing to the device failed (%1)</source>
        <translation>デバイスへの書き込みに失敗しました（%1）</translation>
    </message>
</context>
<context>
    <name>kelvra::main</name>
    <message>
        <source>Recorder for the KELVRA four-channel seismic converter board.
Settings are read from %1; options given here override them.</source>
        <translation>KELVRA 4チャンネル地震計変換ボード用のレコーダーです。
設定は %1 から読み込みます。ここで指定したオプションは設定ファイルより優先されます。</translation>
    </message>
</context>
</TS>
