<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BossScreen</name>
    <message>
        <source>ボスを倒した!!</source>
        <translation>You beat the boss!!</translation>
    </message>
    <message>
        <source>あなたの負けです。もう一度挑戦しますか?</source>
        <translation>You lost. Try again?</translation>
    </message>
</context>
<context>
    <name>CharacterSelectScreen</name>
    <message>
        <source>キャラクター選択</source>
        <translation>Choose a Character</translation>
    </message>
    <message>
        <source>キャラクターを選択してください。</source>
        <translation>Choose your character.</translation>
    </message>
    <message>
        <source>忍耐力：</source>
        <translation>Stamina:</translation>
    </message>
    <message>
        <source>瞬発力：</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>ジャンル</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>（選択中）</source>
        <translation> (chosen)</translation>
    </message>
</context>
<context>
    <name>ClassDialogs</name>
    <message>
        <source>サーバー</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>例: school-server または 192.168.1.10:5432</source>
        <translation>e.g. school-server or 192.168.1.10:5432</translation>
    </message>
    <message>
        <source>クラスコード</source>
        <translation>Class code</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>サーバーは「名前」か「名前:ポート」で入れてください（例: school-server:5432）。</source>
        <translation>Enter the server as &quot;name&quot; or &quot;name:port&quot; (e.g. school-server:5432).</translation>
    </message>
    <message>
        <source>サーバーに問い合わせています…</source>
        <translation>Asking the server…</translation>
    </message>
    <message>
        <source>クラスに参加</source>
        <translation>Join a Class</translation>
    </message>
    <message>
        <source>参加コード</source>
        <translation>Join code</translation>
    </message>
    <message>
        <source>参加</source>
        <translation>Join</translation>
    </message>
    <message>
        <source>学習記録に書き込めないため、参加を記録できませんでした。</source>
        <translation>The learning record cannot be written, so joining could not be kept.</translation>
    </message>
    <message>
        <source>「%1」に参加しました。これからのゲームの結果がクラスに送られます。</source>
        <translation>You joined &quot;%1&quot;. From now on your games&apos; results go to the class.</translation>
    </message>
    <message>
        <source>クラスの成績</source>
        <translation>Class Results</translation>
    </message>
    <message>
        <source>パスワード</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>ログイン</source>
        <translation>Log In</translation>
    </message>
</context>
<context>
    <name>ClassMenu</name>
    <message>
        <source>クラスに参加(&amp;J)...</source>
        <translation>&amp;Join a Class...</translation>
    </message>
    <message>
        <source>クラスの成績(&amp;C)...</source>
        <translation>&amp;Class Results...</translation>
    </message>
    <message>
        <source>いまは「%1」に参加しています。</source>
        <translation>You are in &quot;%1&quot; now.</translation>
    </message>
</context>
<context>
    <name>ClassServer</name>
    <message>
        <source>クラスのサーバーにつながりません。あとでもう一度送ります。</source>
        <translation>Cannot reach the class server. The results will be sent later.</translation>
    </message>
    <message>
        <source>クラスコードが違います。</source>
        <translation>Wrong class code.</translation>
    </message>
    <message>
        <source>名前かコード（参加コード・パスワード）が違います。</source>
        <translation>Wrong name or code (join code or password).</translation>
    </message>
    <message>
        <source>名前に使えない文字があります（制御文字や &apos; &quot; ; \ &lt; &gt; ` --、41 文字以上）。</source>
        <translation>The name has characters it cannot have (control characters, &apos; &quot; ; \ &lt; &gt; ` --, or over 40 characters).</translation>
    </message>
    <message>
        <source>送る記録が大きすぎます。</source>
        <translation>The results to send are too large.</translation>
    </message>
    <message>
        <source>クラスのサーバーが受け付けませんでした。</source>
        <translation>The class server refused it.</translation>
    </message>
</context>
<context>
    <name>ClassTab</name>
    <message>
        <source>種目</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>ジャンル</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>種目：</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>ジャンル：</source>
        <translation>Genre:</translation>
    </message>
    <message>
        <source>順位</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>記録</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>ゲーム数</source>
        <translation>Games</translation>
    </message>
    <message>
        <source>クラスのランキング</source>
        <translation>Class ranking</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 打/秒</source>
        <translation>%1 keys/s</translation>
    </message>
    <message>
        <source>%1 位</source>
        <translation>No. %1</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>クラス</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>まだクラスに参加していません。ファイル → クラスに参加 で、先生から配られたクラスコードと参加コードを入れてください。</source>
        <translation>You have not joined a class yet. Use File → Join a Class and enter the class code and join code your teacher gave you.</translation>
    </message>
    <message>
        <source>クラスのサーバーに問い合わせています…</source>
        <translation>Asking the class server…</translation>
    </message>
    <message>
        <source>%1 さんは %2 人中 %3 位です。</source>
        <translation>%1 is No. %3 of %2.</translation>
    </message>
    <message>
        <source>この種目とジャンルの記録はまだありません。</source>
        <translation>No results for this mode and genre yet.</translation>
    </message>
    <message>
        <source>%1 さんの記録はまだこの種目とジャンルにありません（%2 人が参加）。</source>
        <translation>%1 has no result for this mode and genre yet (%2 players).</translation>
    </message>
</context>
<context>
    <name>ClassViewWindow</name>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>クラスの成績の書き出し</source>
        <translation>Export Class Results</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>クラスの成績 — %1</source>
        <translation>Class Results — %1</translation>
    </message>
    <message>
        <source>クラスの成績</source>
        <translation>Class Results</translation>
    </message>
    <message>
        <source>更新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>CSV書き出し</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>生徒</source>
        <translation>Students</translation>
    </message>
    <message>
        <source>苦手なキー</source>
        <translation>Weak keys</translation>
    </message>
    <message>
        <source>ランキング</source>
        <translation>Ranking</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>ゲーム数</source>
        <translation>Games</translation>
    </message>
    <message>
        <source>最高（打/秒）</source>
        <translation>Best (keys/s)</translation>
    </message>
    <message>
        <source>タイムトライアル</source>
        <translation>Time Trial</translation>
    </message>
    <message>
        <source>最後に遊んだ日</source>
        <translation>Last played</translation>
    </message>
    <message>
        <source>生徒を削除</source>
        <translation>Remove Student</translation>
    </message>
    <message>
        <source>上達のグラフ</source>
        <translation>Progress chart</translation>
    </message>
    <message>
        <source>クラス全体のミスの多いキー</source>
        <translation>Keys the class misses most</translation>
    </message>
    <message>
        <source>クラスのキーボード</source>
        <translation>Class keyboard</translation>
    </message>
    <message>
        <source>ミスの多いかな</source>
        <translation>Kana missed most</translation>
    </message>
    <message>
        <source>かな</source>
        <translation>Kana</translation>
    </message>
    <message>
        <source>打った数</source>
        <translation>Typed</translation>
    </message>
    <message>
        <source>ミス</source>
        <translation>Misses</translation>
    </message>
    <message>
        <source>ミス率</source>
        <translation>Miss rate</translation>
    </message>
    <message>
        <source>生徒 %1 人、ゲーム %2 回</source>
        <translation>%1 students, %2 games</translation>
    </message>
    <message>
        <source>%1 さんの上達（打/秒）</source>
        <translation>%1&apos;s progress (keys/s)</translation>
    </message>
    <message>
        <source>上達（打/秒）</source>
        <translation>Progress (keys/s)</translation>
    </message>
    <message>
        <source>ゲーム</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>書き出せませんでした。
%1</source>
        <translation>Could not export.
%1</translation>
    </message>
    <message>
        <source>書き出しました: %1</source>
        <translation>Exported: %1</translation>
    </message>
    <message>
        <source>%1 さんをクラスから削除しますか？
%2 回分のゲームの記録もサーバーから消え、元に戻せません。</source>
        <translation>Remove %1 from the class?
The records of %2 games are deleted from the server too. This cannot be undone.</translation>
    </message>
    <message>
        <source>削除しました。</source>
        <translation>Removed.</translation>
    </message>
    <message>
        <source>サーバーに問い合わせています…</source>
        <translation>Asking the server…</translation>
    </message>
</context>
<context>
    <name>DerbyPlayScreen</name>
    <message>
        <source>やり直し</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>パワーがなくなりました。もう一度挑戦しますか?</source>
        <translation>You ran out of power. Try again?</translation>
    </message>
</context>
<context>
    <name>DerbyRun</name>
    <message>
        <source>%1 ゴール %2着</source>
        <translation>%1 finished, place %2</translation>
    </message>
    <message>
        <source>%1 ゴール</source>
        <translation>%1 finished</translation>
    </message>
    <message>
        <source>%1のボール %2／%3</source>
        <translation>%1&apos;s balls %2/%3</translation>
    </message>
    <message>
        <source>ボスのボール %1／%2</source>
        <translation>Boss&apos;s balls %1/%2</translation>
    </message>
</context>
<context>
    <name>Drill</name>
    <message>
        <source>今回の苦手：</source>
        <translation>Weak spots this time: </translation>
    </message>
    <message>
        <source>苦手を見つけるにはまだ記録が足りません。慣用句で練習します。</source>
        <translation>Not enough records yet to find weak spots. Practising idioms.</translation>
    </message>
    <message>
        <source>目立つ苦手が見つかりませんでした。慣用句で練習します。</source>
        <translation>No clear weak spots found. Practising idioms.</translation>
    </message>
    <message>
        <source>%1&#x3000;ミス率 %2 → %3</source>
        <translation>%1  miss rate %2 → %3</translation>
    </message>
</context>
<context>
    <name>Genre</name>
    <message>
        <source>慣用句</source>
        <translation>Idioms</translation>
    </message>
    <message>
        <source>英単語</source>
        <translation>English</translation>
    </message>
</context>
<context>
    <name>GenreDialog</name>
    <message>
        <source>ジャンルを設定してください。</source>
        <translation>Choose the genre.</translation>
    </message>
    <message>
        <source>ジャンルの設定を保存できませんでした</source>
        <translation>The genre could not be saved</translation>
    </message>
    <message>
        <source>
今回の挑戦には選んだジャンルが使われます。</source>
        <translation>
This run uses the genre you chose.</translation>
    </message>
    <message>
        <source>ジャンルを選んでください。</source>
        <translation>Choose the genre.</translation>
    </message>
    <message>
        <source>ジャンルを保存できませんでした</source>
        <translation>The genre could not be saved</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>英単語</source>
        <translation>English</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>GhostRun</name>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>ベスト比 </source>
        <translation>vs. best </translation>
    </message>
    <message>
        <source>ベスト比：まだ記録がありません</source>
        <translation>vs. best: no record yet</translation>
    </message>
</context>
<context>
    <name>GuideText</name>
    <message>
        <source> （%1 は打てません）</source>
        <translation> (%1 cannot be typed)</translation>
    </message>
    <message>
        <source>ローマ字ガイド</source>
        <translation>Romaji guide</translation>
    </message>
    <message>
        <source>ローマ字ガイド：</source>
        <translation>Romaji guide: </translation>
    </message>
    <message>
        <source>次は %1、%2</source>
        <translation>next %1, %2</translation>
    </message>
    <message>
        <source>（%1 は打てません）</source>
        <translation>(%1 cannot be typed)</translation>
    </message>
    <message>
        <source>  ［%1］</source>
        <translation>  [%1]</translation>
    </message>
    <message>
        <source>キーガイド：次は %1（%2）、%3</source>
        <translation>Key guide: next %1 (%2), %3</translation>
    </message>
</context>
<context>
    <name>HostLobbyScreen</name>
    <message>
        <source>部屋を作る</source>
        <translation>Host a Room</translation>
    </message>
    <message>
        <source>部屋のコード</source>
        <translation>Room code</translation>
    </message>
    <message>
        <source>参加者</source>
        <translation>Players</translation>
    </message>
    <message>
        <source>ジャンル</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>慣用句</source>
        <translation>Idioms</translation>
    </message>
    <message>
        <source>英単語</source>
        <translation>English</translation>
    </message>
    <message>
        <source>あなたのキャラクター</source>
        <translation>Your character</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>部屋を作れませんでした。
</source>
        <translation>The room could not be opened.
</translation>
    </message>
    <message>
        <source>部屋のコード </source>
        <translation>Room code </translation>
    </message>
    <message>
        <source>
ポート %1</source>
        <translation>
Port %1</translation>
    </message>
    <message>
        <source>アドレス %1&#x3000;ポート %2
参加する人にアドレス、ポート、コードを伝えてください。</source>
        <translation>Address %1  Port %2
Give the players the address, port and code.</translation>
    </message>
    <message>
        <source>部屋の案内を出せません（UDP %1 が使用中）。アドレスで参加してもらえます。</source>
        <translation>Cannot announce the room (UDP %1 is in use). Players can still join by address.</translation>
    </message>
</context>
<context>
    <name>ImportReportDialog</name>
    <message>
        <source>問題を記録に保存できませんでした（%1）。何も取り込んでいません。</source>
        <translation>The questions could not be saved (%1). Nothing was imported.</translation>
    </message>
    <message>
        <source>取り込める行がありませんでした。</source>
        <translation>No line could be imported.</translation>
    </message>
    <message>
        <source>英単語</source>
        <translation>English</translation>
    </message>
    <message>
        <source>慣用句</source>
        <translation>Idioms</translation>
    </message>
    <message>
        <source>問題集「%1」（%2）に %3 問を取り込みました。練習の設定でジャンルに選べます。</source>
        <translation>Imported %3 questions into the set &quot;%1&quot; (%2). Choose it as the genre in the practice settings.</translation>
    </message>
    <message>
        <source>問題集の読み込み</source>
        <translation>Import a Question Set</translation>
    </message>
    <message>
        <source>ファイル：</source>
        <translation>File: </translation>
    </message>
    <message>
        <source>取り込めなかった行：%1 行</source>
        <translation>Lines not imported: %1</translation>
    </message>
    <message>
        <source>取り込めなかった行はありません。</source>
        <translation>Every line was imported.</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>理由</source>
        <translation>Reason</translation>
    </message>
    <message>
        <source>取り込めなかった行の一覧</source>
        <translation>Lines not imported</translation>
    </message>
    <message>
        <source> -問題集の読み込み-</source>
        <translation> - Import a Question Set -</translation>
    </message>
</context>
<context>
    <name>JoinRoomScreen</name>
    <message>
        <source>部屋に入る</source>
        <translation>Join a Room</translation>
    </message>
    <message>
        <source>見つかった部屋</source>
        <translation>Rooms found</translation>
    </message>
    <message>
        <source>アドレス</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>ポート</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>コード</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>あなたのキャラクター</source>
        <translation>Your character</translation>
    </message>
    <message>
        <source>参加</source>
        <translation>Join</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>部屋を選ぶか、アドレスとポートを入れて、コードを入れてください。</source>
        <translation>Pick a room or enter the address and port, then enter the code.</translation>
    </message>
    <message>
        <source>%1 の部屋&#x3000;%2:%3&#x3000;%4人</source>
        <translation>%1&apos;s room  %2:%3  %4 players</translation>
    </message>
    <message>
        <source>アドレスは 192.168.1.5 のような数字で入れてください。</source>
        <translation>Enter the address as numbers, like 192.168.1.5.</translation>
    </message>
    <message>
        <source>ポートは 1 から 65535 の数で入れてください。</source>
        <translation>Enter the port as a number from 1 to 65535.</translation>
    </message>
    <message>
        <source>コードはホストの画面に出ている4けたの数字です。</source>
        <translation>The code is the 4-digit number on the host&apos;s screen.</translation>
    </message>
    <message>
        <source>%1:%2 に接続しています…</source>
        <translation>Connecting to %1:%2…</translation>
    </message>
    <message>
        <source>部屋に入りました。ホストが開始するのを待っています。</source>
        <translation>You are in the room. Waiting for the host to start.</translation>
    </message>
</context>
<context>
    <name>KeyPairsTab</name>
    <message>
        <source>続けて打つと遅いキー（平均時間）</source>
        <translation>Slow key pairs (average time)</translation>
    </message>
    <message>
        <source>平均時間</source>
        <translation>Avg. time</translation>
    </message>
    <message>
        <source>→</source>
        <translation>→</translation>
    </message>
    <message>
        <source>ミリ秒</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>キーの並び</source>
        <translation>Key pair</translation>
    </message>
    <message>
        <source>回数</source>
        <translation>Count</translation>
    </message>
    <message>
        <source> → </source>
        <translation> → </translation>
    </message>
    <message>
        <source>%1回</source>
        <translation>%1×</translation>
    </message>
</context>
<context>
    <name>KeyboardView</name>
    <message>
        <source>左小指</source>
        <translation>left little finger</translation>
    </message>
    <message>
        <source>左薬指</source>
        <translation>left ring finger</translation>
    </message>
    <message>
        <source>左中指</source>
        <translation>left middle finger</translation>
    </message>
    <message>
        <source>左人差し指</source>
        <translation>left index finger</translation>
    </message>
    <message>
        <source>右人差し指</source>
        <translation>right index finger</translation>
    </message>
    <message>
        <source>右中指</source>
        <translation>right middle finger</translation>
    </message>
    <message>
        <source>右薬指</source>
        <translation>right ring finger</translation>
    </message>
    <message>
        <source>右小指</source>
        <translation>right little finger</translation>
    </message>
    <message>
        <source>親指</source>
        <translation>thumb</translation>
    </message>
</context>
<context>
    <name>LearningExport</name>
    <message>
        <source>学習記録の書き出し</source>
        <translation>Export the Learning Record</translation>
    </message>
    <message>
        <source>学習記録を書き出しました。
</source>
        <translation>The learning record was exported.
</translation>
    </message>
    <message>
        <source>学習記録を書き出せませんでした</source>
        <translation>The learning record could not be exported</translation>
    </message>
</context>
<context>
    <name>LearningStore</name>
    <message>
        <source>ファイルが壊れています</source>
        <translation>the file is damaged</translation>
    </message>
    <message>
        <source>学習記録を開けません（%1）。
ゲームはこのまま遊べますが、今回は学習記録を残しません。
%2</source>
        <translation>The learning record cannot be opened (%1).
You can play on, but this session is not recorded.
%2</translation>
    </message>
    <message>
        <source>学習記録に書き込めません</source>
        <translation>Cannot write to the learning record</translation>
    </message>
    <message>
        <source>
今回のゲームはまだ記録されていません。書き込めるようになれば、次のゲームのときにあわせて記録します。
</source>
        <translation>
This game is not recorded yet. Once writing works again, it is recorded with the next game.
</translation>
    </message>
    <message>
        <source>学習記録のファイルが壊れていたため、%1 として残し、新しい学習記録を始めます。</source>
        <translation>The learning record was damaged. It was kept as %1 and a new record begins.</translation>
    </message>
    <message>
        <source>
ゲームはこのまま遊べますが、今回は学習記録を残しません。
</source>
        <translation>
You can play on, but this session is not recorded.
</translation>
    </message>
    <message>
        <source>この学習記録は新しい版の Key Derby で作られています。
読むことはできますが、この版では記録を書き足しません。</source>
        <translation>This learning record was made by a newer Key Derby.
It can be read, but this version adds nothing to it.</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>&#x3000;自分で練習時間を設定して、ひたすら打ち続ける。長時間のタイピングに耐えられる持久力がつく（？）</source>
        <translation> Set your own practice time and just keep typing. Builds the stamina for long typing sessions (?)</translation>
    </message>
    <message>
        <source>&#x3000;自分の限界に挑戦！まさに、自分との戦い！</source>
        <translation> Push your limits! A race against yourself!</translation>
    </message>
    <message>
        <source>&#x3000;コンピューターとの戦い。敵は３つで、上位２名が次ぎの戦いへ進める。「Champion Ship」が最終決戦だと思ったら実は・・・。</source>
        <translation> Race the computer. Three rivals; the top two go on to the next race. You think the &quot;Champion Ship&quot; is the final, but...</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>記録の削除(&amp;D)</source>
        <translation>&amp;Delete Records</translation>
    </message>
    <message>
        <source>学習記録の書き出し(&amp;E)...</source>
        <translation>&amp;Export Learning Record...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>効果音(&amp;E)</source>
        <translation>Sound &amp;Effects</translation>
    </message>
    <message>
        <source>表示(&amp;D)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>対戦(&amp;N)</source>
        <translation>&amp;Network</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;V)</source>
        <translation>Abou&amp;t</translation>
    </message>
    <message>
        <source>成績(&amp;S)</source>
        <translation>&amp;Statistics</translation>
    </message>
    <message>
        <source>成績を見る(&amp;V)</source>
        <translation>&amp;View Statistics</translation>
    </message>
    <message>
        <source>部屋を作る(&amp;H)</source>
        <translation>&amp;Host a Room</translation>
    </message>
    <message>
        <source>部屋に入る(&amp;J)</source>
        <translation>&amp;Join a Room</translation>
    </message>
    <message>
        <source>記録用のフォルダーを作成できませんでした</source>
        <translation>The folder for the records could not be made</translation>
    </message>
    <message>
        <source>記録は保存されません。
</source>
        <translation>Records will not be saved.
</translation>
    </message>
    <message>
        <source>BGMと効果音の設定を保存できませんでした</source>
        <translation>The music and sound settings could not be saved</translation>
    </message>
    <message>
        <source>終了してもよろしいですか？</source>
        <translation>Do you want to quit?</translation>
    </message>
    <message>
        <source>すべての記録（学習記録を含む）を削除します。よろしいですか？</source>
        <translation>Delete all records, including the learning record?</translation>
    </message>
    <message>
        <source>すべての記録を削除します。よろしいですか？</source>
        <translation>Delete all records?</translation>
    </message>
    <message>
        <source>記録を削除できないファイルがありました。
</source>
        <translation>Some record files could not be deleted.
</translation>
    </message>
    <message>
        <source>ON(&amp;T)</source>
        <translation>&amp;On</translation>
    </message>
    <message>
        <source>OFF(&amp;F)</source>
        <translation>O&amp;ff</translation>
    </message>
    <message>
        <source>BGM(&amp;B)</source>
        <translation>&amp;Music</translation>
    </message>
</context>
<context>
    <name>MissedQuestions</name>
    <message>
        <source>今回の練習でミスした問題はありません。</source>
        <translation>No missed questions in this practice.</translation>
    </message>
    <message>
        <source>R：ミスした問題だけをもう一度</source>
        <translation>R: retry only the missed questions</translation>
    </message>
</context>
<context>
    <name>MixUpsTab</name>
    <message>
        <source>かな</source>
        <translation>Kana</translation>
    </message>
    <message>
        <source>正しいキー</source>
        <translation>Right key</translation>
    </message>
    <message>
        <source>打ったキー</source>
        <translation>Typed key</translation>
    </message>
    <message>
        <source>回数</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>指（正しい → 打った）</source>
        <translation>Fingers (right → typed)</translation>
    </message>
    <message>
        <source>（同じ指）</source>
        <translation> (same finger)</translation>
    </message>
    <message>
        <source> → </source>
        <translation> → </translation>
    </message>
    <message>
        <source>%1回</source>
        <translation>%1×</translation>
    </message>
    <message>
        <source>この期間には打ち間違いがありません。</source>
        <translation>No mix-ups in this period.</translation>
    </message>
    <message>
        <source>いちばん多い打ち間違い&#x3000;「%1」：%2 のところで %3 — %4回</source>
        <translation>Most frequent mix-up:  &quot;%1&quot;: %3 instead of %2 — %4×</translation>
    </message>
</context>
<context>
    <name>NetClient</name>
    <message>
        <source>部屋のコードが違います。</source>
        <translation>The room code is wrong.</translation>
    </message>
    <message>
        <source>部屋はもう満員です。</source>
        <translation>The room is full.</translation>
    </message>
    <message>
        <source>ホストとゲームのバージョンが違うため参加できません。</source>
        <translation>Cannot join: the host&apos;s game is a different version.</translation>
    </message>
    <message>
        <source>レースの最中です。終わってからもう一度参加してください。</source>
        <translation>A race is on. Join again when it is over.</translation>
    </message>
    <message>
        <source>部屋に接続できませんでした。
アドレス、ポート、コードを確かめてください。</source>
        <translation>Could not connect to the room.
Check the address, port and code.</translation>
    </message>
    <message>
        <source>ホストとの接続が切れました（%1）。</source>
        <translation>Lost the connection to the host (%1).</translation>
    </message>
    <message>
        <source>部屋を出ました。</source>
        <translation>You left the room.</translation>
    </message>
</context>
<context>
    <name>NetHost</name>
    <message>
        <source>ポート %1 から %2 を開けませんでした。
%3</source>
        <translation>No port from %1 to %2 could be opened.
%3</translation>
    </message>
    <message>
        <source>部屋を閉じました。</source>
        <translation>The room was closed.</translation>
    </message>
</context>
<context>
    <name>NetLook</name>
    <message>
        <source>%1&#x3000;瞬発力 %2&#x3000;忍耐力 %3</source>
        <translation>%1  Speed %2  Stamina %3</translation>
    </message>
    <message>
        <source>%1  コンピューター</source>
        <translation>%1  Computer</translation>
    </message>
    <message>
        <source>%1  %2（%3）</source>
        <translation>%1  %2 (%3)</translation>
    </message>
    <message>
        <source>&#x3000;ホスト</source>
        <translation>  Host</translation>
    </message>
    <message>
        <source>ネットワークが見つかりません。このコンピューターの中だけで対戦できます（アドレス 127.0.0.1）。</source>
        <translation>No network found. You can race only on this computer (address 127.0.0.1).</translation>
    </message>
</context>
<context>
    <name>NetRaceScreen</name>
    <message>
        <source>KeyDerby 対戦</source>
        <translation>KeyDerby Race</translation>
    </message>
    <message>
        <source> ゴール</source>
        <translation> finished</translation>
    </message>
    <message>
        <source> パワー切れ</source>
        <translation> out of power</translation>
    </message>
    <message>
        <source> 切断</source>
        <translation> left</translation>
    </message>
    <message>
        <source>パワーがなくなりました。ほかの人のゴールを待ちます。</source>
        <translation>You ran out of power. Waiting for the others to finish.</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 さんが切断しました（%2）</source>
        <translation>%1 left (%2)</translation>
    </message>
    <message>
        <source>
レースを終わります。</source>
        <translation>
The race ends.</translation>
    </message>
    <message>
        <source>レースをやめて部屋を出ますか？</source>
        <translation>Stop racing and leave the room?</translation>
    </message>
</context>
<context>
    <name>NetResultScreen</name>
    <message>
        <source>順位</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>キャラ</source>
        <translation>Character</translation>
    </message>
    <message>
        <source>打鍵数</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>ミス</source>
        <translation>Misses</translation>
    </message>
    <message>
        <source>打鍵/秒</source>
        <translation>Keys/s</translation>
    </message>
    <message>
        <source>対戦結果</source>
        <translation>Race Results</translation>
    </message>
    <message>
        <source>もう一度</source>
        <translation>Again</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>%1位</source>
        <translation>No. %1</translation>
    </message>
    <message>
        <source>%1位 ✕</source>
        <translation>No. %1 ✕</translation>
    </message>
    <message>
        <source>（切断）</source>
        <translation>(left)</translation>
    </message>
    <message>
        <source>コンピューター</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>「もう一度」で同じ部屋のみんなとまた走ります。</source>
        <translation>&quot;Again&quot; races everyone in this room once more.</translation>
    </message>
    <message>
        <source>ホストが「もう一度」を押すと次のレースが始まります。</source>
        <translation>The next race starts when the host presses &quot;Again&quot;.</translation>
    </message>
    <message>
        <source>ホストが開始するのを待っています…</source>
        <translation>Waiting for the host to start…</translation>
    </message>
</context>
<context>
    <name>PlayScreen</name>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>かな入力</source>
        <translation>Kana input</translation>
    </message>
    <message>
        <source>入力方式</source>
        <translation>Input method</translation>
    </message>
</context>
<context>
    <name>PlayerList</name>
    <message>
        <source>\/:*?&quot;&lt;&gt;|は使えません。</source>
        <translation>\/:*?&quot;&lt;&gt;| cannot be used.</translation>
    </message>
    <message>
        <source>「.」と「..」は名前に使えません。</source>
        <translation>&quot;.&quot; and &quot;..&quot; cannot be names.</translation>
    </message>
    <message>
        <source>制御文字は名前に使えません。</source>
        <translation>Control characters cannot be used in a name.</translation>
    </message>
    <message>
        <source>名前の最初と最後に空白は使えません。</source>
        <translation>A name cannot begin or end with a space.</translation>
    </message>
    <message>
        <source>は使えません。</source>
        <translation> cannot be used.</translation>
    </message>
    <message>
        <source>名前が長すぎます。全角なら43文字、半角なら86文字までにしてください。</source>
        <translation>The name is too long. Use up to 43 full-width or 86 half-width characters.</translation>
    </message>
</context>
<context>
    <name>PlayerNameScreen</name>
    <message>
        <source>ユーザー名を入力してください。</source>
        <translation>Enter your name.</translation>
    </message>
    <message>
        <source>「%1」のフォルダーを作成できませんでした</source>
        <translation>The folder for &quot;%1&quot; could not be made</translation>
    </message>
    <message>
        <source>
別の名前を使うか、</source>
        <translation>
Use another name, or check that </translation>
    </message>
    <message>
        <source> に書き込めるか確かめてください。</source>
        <translation> can be written to.</translation>
    </message>
    <message>
        <source>ユーザー名の一覧を保存できませんでした</source>
        <translation>The list of names could not be saved</translation>
    </message>
    <message>
        <source>%1さんでよろしいですか？</source>
        <translation>Play as %1?</translation>
    </message>
</context>
<context>
    <name>PowerMeter</name>
    <message>
        <source>パワー：</source>
        <translation>Power:</translation>
    </message>
    <message>
        <source>パワー</source>
        <translation>Power</translation>
    </message>
</context>
<context>
    <name>PracticeRecords</name>
    <message>
        <source>%1分 %2秒</source>
        <translation>%1 min %2 s</translation>
    </message>
</context>
<context>
    <name>PracticeResultScreen</name>
    <message>
        <source>練習結果</source>
        <translation>Practice Results</translation>
    </message>
    <message>
        <source>練習履歴</source>
        <translation>Practice History</translation>
    </message>
    <message>
        <source>日付</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>正答率</source>
        <translation>Accuracy</translation>
    </message>
    <message>
        <source>練習時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>ジャンル</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>&#x3000;―&#x3000;結果&#x3000;―</source>
        <translation> — Results —</translation>
    </message>
    <message>
        <source>全打数：%1</source>
        <translation>Keys: %1</translation>
    </message>
    <message>
        <source>正打数：%1</source>
        <translation>Correct: %1</translation>
    </message>
    <message>
        <source>誤打数：%1</source>
        <translation>Misses: %1</translation>
    </message>
    <message>
        <source>正答率：</source>
        <translation>Accuracy: </translation>
    </message>
    <message>
        <source>練習時間：</source>
        <translation>Time: </translation>
    </message>
    <message>
        <source>無制限</source>
        <translation>No limit</translation>
    </message>
    <message>
        <source>Types/Sec.：</source>
        <translation>Types/Sec.: </translation>
    </message>
    <message>
        <source>ジャンル：</source>
        <translation>Genre: </translation>
    </message>
    <message>
        <source>練習履歴を保存できませんでした</source>
        <translation>The practice history could not be saved</translation>
    </message>
    <message>
        <source>苦手のミス率（前 → 今回）
</source>
        <translation>Miss rate of weak spots (before → now)
</translation>
    </message>
    <message>
        <source>yyyy/MM/dd</source>
        <translation>M/d/yyyy</translation>
    </message>
</context>
<context>
    <name>PracticeScreen</name>
    <message>
        <source>スペースでスタート</source>
        <translation>Press Space to start</translation>
    </message>
    <message>
        <source>残り時間：</source>
        <translation>Time left:</translation>
    </message>
    <message>
        <source>Space
&#x3000;スタート
Esc
&#x3000;やり直し
BackSpace
&#x3000;戻る</source>
        <translation>Space
  Start
Esc
  Restart
BackSpace
  Back</translation>
    </message>
    <message>
        <source>-----設定内容-----</source>
        <translation>----Settings----</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>練習時間：無制限</source>
        <translation>Time: no limit</translation>
    </message>
    <message>
        <source>無制限</source>
        <translation>No limit</translation>
    </message>
    <message>
        <source>練習時間：</source>
        <translation>Time: </translation>
    </message>
    <message>
        <source>ミスした問題（%1問）</source>
        <translation>Missed questions (%1)</translation>
    </message>
    <message>
        <source>ジャンル：</source>
        <translation>Genre: </translation>
    </message>
</context>
<context>
    <name>PracticeSettingsDialog</name>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>ジャンルを選択してください。</source>
        <translation>Choose the genre.</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>英単語</source>
        <translation>English</translation>
    </message>
    <message>
        <source>苦手克服</source>
        <translation>Weak-spot drill</translation>
    </message>
    <message>
        <source>自分の問題</source>
        <translation>My questions</translation>
    </message>
    <message>
        <source>管理...</source>
        <translation>Sets...</translation>
    </message>
    <message>
        <source>練習時間を設定してください。</source>
        <translation>Set the practice time.</translation>
    </message>
    <message>
        <source>制限時間あり</source>
        <translation>Time limit</translation>
    </message>
    <message>
        <source>無制限</source>
        <translation>No limit</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>（なし）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>練習時間は、5秒以上、または、無制限です。</source>
        <translation>The practice time is 5 seconds or more, or no limit.</translation>
    </message>
    <message>
        <source>設定を保存できませんでした</source>
        <translation>The settings could not be saved</translation>
    </message>
    <message>
        <source>学習記録に書き込めないため、%1 は選べません。%2 で練習します。</source>
        <translation>The learning record cannot be written, so %1 cannot be chosen. Practising %2.</translation>
    </message>
</context>
<context>
    <name>PracticeSource</name>
    <message>
        <source>苦手克服</source>
        <translation>Weak-spot drill</translation>
    </message>
    <message>
        <source>自分の問題</source>
        <translation>My questions</translation>
    </message>
    <message>
        <source>英単語</source>
        <translation>English words</translation>
    </message>
    <message>
        <source>慣用句</source>
        <translation>Idioms</translation>
    </message>
</context>
<context>
    <name>ProgressTab</name>
    <message>
        <source>%1・%2</source>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>自己ベスト</source>
        <translation>Personal best</translation>
    </message>
    <message>
        <source>評価</source>
        <translation>Grade</translation>
    </message>
    <message>
        <source>表示するゲーム</source>
        <translation>Games shown</translation>
    </message>
    <message>
        <source>点：1ゲーム
線：直近%1ゲームの平均
★：自己ベスト</source>
        <translation>Dot: one game
Line: average of the last %1
★: personal best</translation>
    </message>
    <message>
        <source>速さと正確さ</source>
        <translation>Speed and accuracy</translation>
    </message>
    <message>
        <source>タイムトライアルのタイム</source>
        <translation>Time trial times</translation>
    </message>
    <message>
        <source>記録の再生(&amp;R)</source>
        <translation>&amp;Replay a Game</translation>
    </message>
    <message>
        <source>記録したタイムトライアル・レース・ボス戦をもう一度見る</source>
        <translation>Watch a recorded time trial, race or boss battle again</translation>
    </message>
    <message>
        <source>この期間にはタイムトライアルの記録がありません。
タイムトライアルを最後まで走ると、タイムと評価がここに並びます。</source>
        <translation>No time trial in this period.
Finish a time trial and its time and grade appear here.</translation>
    </message>
    <message>
        <source>%1・%2（%3）</source>
        <translation>%1 · %2 (%3)</translation>
    </message>
    <message>
        <source>速さ（1秒あたりの正しい打鍵）</source>
        <translation>Speed (correct keys per second)</translation>
    </message>
    <message>
        <source>打/秒</source>
        <translation>keys/s</translation>
    </message>
    <message>
        <source>正確さ（正しい打鍵の割合）</source>
        <translation>Accuracy (share of correct keys)</translation>
    </message>
    <message>
        <source>正答率</source>
        <translation>Accuracy</translation>
    </message>
    <message>
        <source>タイムトライアルのタイム（低いほど速い）</source>
        <translation>Time trial time (lower is faster)</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
</context>
<context>
    <name>QuestionSetImport</name>
    <message>
        <source>読みにカタカナ%1があります（読みはひらがなで書いてください）</source>
        <translation>The reading has katakana %1 (write readings in hiragana)</translation>
    </message>
    <message>
        <source>読みに漢字%1があります（読みはひらがなで書いてください）</source>
        <translation>The reading has kanji %1 (write readings in hiragana)</translation>
    </message>
    <message>
        <source>読みに空白があります</source>
        <translation>The reading has a space</translation>
    </message>
    <message>
        <source>読みに%1があります（読みはひらがなだけで書いてください）</source>
        <translation>The reading has %1 (write readings in hiragana only)</translation>
    </message>
    <message>
        <source>読みの%1はローマ字で打てません</source>
        <translation>%1 in the reading cannot be typed in romaji</translation>
    </message>
    <message>
        <source>ファイルが空です。</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>このファイルはUTF-16で保存されています。UTF-8で保存し直してから読み込んでください。</source>
        <translation>This file is saved as UTF-16. Save it as UTF-8, then import it.</translation>
    </message>
    <message>
        <source>テキストファイルではありません。</source>
        <translation>This is not a text file.</translation>
    </message>
    <message>
        <source>このファイルはUTF-8ではなく、Shift-JISで保存されているようです。UTF-8で保存し直してから読み込んでください。</source>
        <translation>This file seems to be saved as Shift-JIS, not UTF-8. Save it as UTF-8, then import it.</translation>
    </message>
    <message>
        <source>UTF-8のテキストとして読めません。UTF-8で保存したファイルを選んでください。</source>
        <translation>This cannot be read as UTF-8 text. Choose a file saved as UTF-8.</translation>
    </message>
    <message>
        <source>表示と読みの区切り（タブかカンマ）がありません</source>
        <translation>No tab or comma between the text and the reading</translation>
    </message>
    <message>
        <source>列が多すぎます（表示と読みの2列にしてください）</source>
        <translation>Too many columns (use two: text and reading)</translation>
    </message>
    <message>
        <source>表示が空です</source>
        <translation>The text is empty</translation>
    </message>
    <message>
        <source>読みが空です</source>
        <translation>The reading is empty</translation>
    </message>
    <message>
        <source>表示が長すぎます（%1文字まで）</source>
        <translation>The text is too long (up to %1 characters)</translation>
    </message>
    <message>
        <source>読みが長すぎます（%1文字まで）</source>
        <translation>The reading is too long (up to %1 characters)</translation>
    </message>
    <message>
        <source>表示に制御文字があります</source>
        <translation>The text has a control character</translation>
    </message>
    <message>
        <source>英単語の行に区切りがあります（1行に1語にしてください）</source>
        <translation>An English line has a separator (one word per line)</translation>
    </message>
    <message>
        <source>単語が空です</source>
        <translation>The word is empty</translation>
    </message>
    <message>
        <source>単語が長すぎます（%1文字まで）</source>
        <translation>The word is too long (up to %1 characters)</translation>
    </message>
    <message>
        <source>英単語に使えるのは英字・ハイフン・空白だけです（%1）</source>
        <translation>English words may have only letters, hyphens and spaces (%1)</translation>
    </message>
    <message>
        <source>引用符（&quot;）が閉じていません</source>
        <translation>A quotation mark (&quot;) is not closed</translation>
    </message>
    <message>
        <source>%1行目と同じ問題です</source>
        <translation>Same question as line %1</translation>
    </message>
    <message>
        <source>問題の行がありません（空の行とコメントだけです）。</source>
        <translation>No question lines (only empty lines and comments).</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file was not found.</translation>
    </message>
    <message>
        <source>ファイルではありません。</source>
        <translation>This is not a file.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（%1 MBまで）。</source>
        <translation>The file is too large (up to %1 MB).</translation>
    </message>
    <message>
        <source>ファイルを読めません（%1）。</source>
        <translation>The file cannot be read (%1).</translation>
    </message>
    <message>
        <source>自分の問題</source>
        <translation>My questions</translation>
    </message>
</context>
<context>
    <name>QuestionSetStore</name>
    <message>
        <source>問題集の表を作れません</source>
        <translation>Cannot make the question set tables</translation>
    </message>
    <message>
        <source>取り込める問題がありません</source>
        <translation>No questions to import</translation>
    </message>
    <message>
        <source>自分の問題</source>
        <translation>My questions</translation>
    </message>
    <message>
        <source>問題集を保存できません</source>
        <translation>Cannot save the question set</translation>
    </message>
    <message>
        <source>名前が空です</source>
        <translation>The name is empty</translation>
    </message>
    <message>
        <source>同じ名前の問題集があります</source>
        <translation>A set with this name exists</translation>
    </message>
    <message>
        <source>名前を変えられません</source>
        <translation>Cannot rename</translation>
    </message>
    <message>
        <source>その問題集はありません</source>
        <translation>No such question set</translation>
    </message>
    <message>
        <source>問題集を削除できません</source>
        <translation>Cannot delete the question set</translation>
    </message>
</context>
<context>
    <name>QuestionSetsDialog</name>
    <message>
        <source>英単語</source>
        <translation>English</translation>
    </message>
    <message>
        <source>慣用句</source>
        <translation>Idioms</translation>
    </message>
    <message>
        <source>%1（%2・%3問）</source>
        <translation>%1 (%2, %3 questions)</translation>
    </message>
    <message>
        <source>自分の問題</source>
        <translation>My questions</translation>
    </message>
    <message>
        <source>問題集の一覧</source>
        <translation>Question Sets</translation>
    </message>
    <message>
        <source>名前：</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>名前を変更</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>学習記録に書き込めないため、問題集を変更できません。</source>
        <translation>The learning record cannot be written, so the sets cannot be changed.</translation>
    </message>
    <message>
        <source>名前を変えられませんでした（%1）。</source>
        <translation>Could not rename (%1).</translation>
    </message>
    <message>
        <source>問題集「%1」を削除しますか？</source>
        <translation>Delete the question set &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>削除できませんでした（%1）。</source>
        <translation>Could not delete (%1).</translation>
    </message>
</context>
<context>
    <name>RaceRankingScreen</name>
    <message>
        <source>ランキング</source>
        <translation>Ranking</translation>
    </message>
    <message>
        <source>%1位</source>
        <translation>No. %1</translation>
    </message>
    <message>
        <source>おめでとう！！次のステージへ!!</source>
        <translation>Congratulations!! On to the next stage!!</translation>
    </message>
    <message>
        <source>残念!!もう一度挑戦！！</source>
        <translation>Too bad!! Try again!!</translation>
    </message>
    <message>
        <source>%1位 %2</source>
        <translation>No. %1 %2</translation>
    </message>
</context>
<context>
    <name>RaceScreen</name>
    <message>
        <source>スペースでスタート</source>
        <translation>Press Space to start</translation>
    </message>
    <message>
        <source>レースの結果を保存できませんでした</source>
        <translation>The race result could not be saved</translation>
    </message>
</context>
<context>
    <name>ReplayWindow</name>
    <message>
        <source>英単語</source>
        <translation>English</translation>
    </message>
    <message>
        <source>慣用句</source>
        <translation>Idioms</translation>
    </message>
    <message>
        <source>タイムトライアル </source>
        <translation>Time trial </translation>
    </message>
    <message>
        <source>レース 第%1戦 </source>
        <translation>Race (heat %1) </translation>
    </message>
    <message>
        <source>ボス戦 </source>
        <translation>Boss battle </translation>
    </message>
    <message>
        <source>対戦レース </source>
        <translation>Network race </translation>
    </message>
    <message>
        <source>練習 </source>
        <translation>Practice </translation>
    </message>
    <message>
        <source>リプレイ ― </source>
        <translation>Replay — </translation>
    </message>
    <message>
        <source>&#x3000;</source>
        <translation>  </translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>%1×</source>
        <translation>%1×</translation>
    </message>
    <message>
        <source>一時停止</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>正打数：%1&#x3000;誤打数：%2</source>
        <translation>Correct: %1  Misses: %2</translation>
    </message>
    <message>
        <source> 秒</source>
        <translation> s</translation>
    </message>
    <message>
        <source>中断</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>勝ち</source>
        <translation>Won</translation>
    </message>
    <message>
        <source>負け</source>
        <translation>Lost</translation>
    </message>
    <message>
        <source>日時</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>種類</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>正打/誤打</source>
        <translation>Correct / Misses</translation>
    </message>
    <message>
        <source>第0戦 </source>
        <translation>(heat 0) </translation>
    </message>
    <message>
        <source>記録の再生</source>
        <translation>Replay a Game</translation>
    </message>
    <message>
        <source>再生できる記録はまだありません。</source>
        <translation>No recorded games to replay yet.</translation>
    </message>
    <message>
        <source>再生(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>この記録は読めませんでした。</source>
        <translation>This record could not be read.</translation>
    </message>
    <message>
        <source>%1位</source>
        <translation>No. %1</translation>
    </message>
    <message>
        <source>yyyy/MM/dd HH:mm</source>
        <translation>M/d/yyyy h:mm AP</translation>
    </message>
</context>
<context>
    <name>RollCallScreen</name>
    <message>
        <source>キャラクター紹介</source>
        <translation>Meet the Characters</translation>
    </message>
    <message>
        <source>[ENTER/RETURN]を押してください。</source>
        <translation>Press [ENTER/RETURN].</translation>
    </message>
</context>
<context>
    <name>Roster</name>
    <message>
        <source>Ponpy(ポンピー)</source>
        <translation>Ponpy</translation>
    </message>
    <message>
        <source>青オバケ</source>
        <translation>Blue Ghost</translation>
    </message>
    <message>
        <source>Po4(ぽよん)</source>
        <translation>Po4 (Poyon)</translation>
    </message>
    <message>
        <source>突撃君</source>
        <translation>Charger</translation>
    </message>
    <message>
        <source>馬鹿な三角形</source>
        <translation>Silly Triangle</translation>
    </message>
    <message>
        <source>馬鹿な雪ダルマ</source>
        <translation>Silly Snowman</translation>
    </message>
    <message>
        <source>馬鹿な四角形</source>
        <translation>Silly Square</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>読めないデータを送ってきたため切断しました</source>
        <translation>disconnected: sent unreadable data</translation>
    </message>
    <message>
        <source>データを送りすぎたため切断しました</source>
        <translation>disconnected: sent too much data</translation>
    </message>
    <message>
        <source>応答がないため切断しました</source>
        <translation>disconnected: no answer</translation>
    </message>
    <message>
        <source>ゲームのバージョンが違います</source>
        <translation>different game version</translation>
    </message>
    <message>
        <source>退出しました</source>
        <translation>left</translation>
    </message>
    <message>
        <source>接続が切れました</source>
        <translation>connection lost</translation>
    </message>
</context>
<context>
    <name>SplashScreen</name>
    <message>
        <source>起動しています…</source>
        <translation>Starting…</translation>
    </message>
</context>
<context>
    <name>SplitsWindow</name>
    <message>
        <source>―</source>
        <translation>—</translation>
    </message>
    <message>
        <source>ベストとの比較</source>
        <translation>Compared with your best</translation>
    </message>
    <message>
        <source>&#x3000;（■ は特に遅れた問題）</source>
        <translation>  (■ much slower questions)</translation>
    </message>
    <message>
        <source>問</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>問題</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>今回(秒)</source>
        <translation>Now (s)</translation>
    </message>
    <message>
        <source>ベスト(秒)</source>
        <translation>Best (s)</translation>
    </message>
    <message>
        <source>差(秒)</source>
        <translation>Gap (s)</translation>
    </message>
    <message>
        <source>累計差(秒)</source>
        <translation>Total gap (s)</translation>
    </message>
    <message>
        <source>■ </source>
        <translation>■ </translation>
    </message>
    <message>
        <source>（途中）</source>
        <translation>(unfinished)</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>StatsLook</name>
    <message>
        <source>練習</source>
        <translation>Practice</translation>
    </message>
    <message>
        <source>タイムトライアル</source>
        <translation>Time trial</translation>
    </message>
    <message>
        <source>キーダービー</source>
        <translation>Key Derby</translation>
    </message>
    <message>
        <source>ボス戦</source>
        <translation>Boss battle</translation>
    </message>
    <message>
        <source>ネット対戦</source>
        <translation>Network race</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>慣用句</source>
        <translation>Idioms</translation>
    </message>
    <message>
        <source>英単語</source>
        <translation>English</translation>
    </message>
    <message>
        <source>自作</source>
        <translation>Own set</translation>
    </message>
    <message>
        <source>―</source>
        <translation>—</translation>
    </message>
    <message>
        <source>（参考）</source>
        <translation>(few)</translation>
    </message>
    <message>
        <source>%1回未満のため、まだ参考の値です</source>
        <translation>Fewer than %1 attempts: not yet reliable</translation>
    </message>
    <message>
        <source>yyyy/MM</source>
        <translation>M/yyyy</translation>
    </message>
    <message>
        <source>MM/dd</source>
        <translation>M/d</translation>
    </message>
</context>
<context>
    <name>StatsOpener</name>
    <message>
        <source>F2：成績</source>
        <translation>F2: Statistics</translation>
    </message>
</context>
<context>
    <name>StatsTab</name>
    <message>
        <source>記録を集計しています…

初めて開くときや、たくさん遊んだあとは少し時間がかかります。このあいだもゲームは遊べます。</source>
        <translation>Adding up the records…

The first time, or after many games, this takes a while. You can play meanwhile.</translation>
    </message>
</context>
<context>
    <name>StatsWindow</name>
    <message>
        <source>まだ記録がありません。

練習・タイムトライアル・キーダービーを遊ぶと、打ったキーが一つずつ記録され、ここに表示されます。

・推移：ゲームごとの速さ（1秒あたりの正しい打鍵）と正確さの移り変わり
・苦手：ミスの多いかなやキー、時間のかかるキー
・打ち間違い：どのキーのところで、どのキーを打ってしまったか
・連続キー：続けて打つと遅くなるキーの並び

まずは一度遊んでみてください。20回未満の数字は、まだ参考の値として灰色で表示されます。</source>
        <translation>No records yet.

Play a practice, a time trial or Key Derby: every key you type is recorded and shown here.

· Progress: speed (correct keys per second) and accuracy game by game
· Weak spots: kana and keys with many misses, slow keys
· Mix-ups: which key you typed where another was due
· Key pairs: keys that are slow when typed one after the other

Play a game first. Figures from fewer than 20 attempts are grey: not yet reliable.</translation>
    </message>
    <message>
        <source>成績 — </source>
        <translation>Statistics — </translation>
    </message>
    <message>
        <source>成績</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>文字：</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>かな</source>
        <translation>Kana</translation>
    </message>
    <message>
        <source>英字</source>
        <translation>Letters</translation>
    </message>
    <message>
        <source>期間：</source>
        <translation>Period:</translation>
    </message>
    <message>
        <source>7日</source>
        <translation>7 days</translation>
    </message>
    <message>
        <source>30日</source>
        <translation>30 days</translation>
    </message>
    <message>
        <source>すべて</source>
        <translation>All</translation>
    </message>
    <message>
        <source>途中でやめたゲームも</source>
        <translation>Include quit games</translation>
    </message>
    <message>
        <source>推移</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>苦手</source>
        <translation>Weak spots</translation>
    </message>
    <message>
        <source>打ち間違い</source>
        <translation>Mix-ups</translation>
    </message>
    <message>
        <source>連続キー</source>
        <translation>Key pairs</translation>
    </message>
    <message>
        <source>記録を集計しています…</source>
        <translation>Adding up the records…</translation>
    </message>
    <message>
        <source>記録を読めませんでした。ゲームはこれまでどおり遊べます。

</source>
        <translation>The records could not be read. The game plays as before.

</translation>
    </message>
    <message>
        <source>この期間（%1日）には記録がありません。
「すべて」を押すと、これまでの記録が表示されます。</source>
        <translation>No records in this period (%1 days).
Press &quot;All&quot; to see every record.</translation>
    </message>
    <message>
        <source>この期間には英単語の記録がありません。
「かな」を押すと、慣用句の記録が表示されます。</source>
        <translation>No English words in this period.
Press &quot;Kana&quot; to see the idioms.</translation>
    </message>
    <message>
        <source>この期間には慣用句（かな）の記録がありません。
「英字」を押すと、英単語の記録が表示されます。</source>
        <translation>No idioms (kana) in this period.
Press &quot;Letters&quot; to see the English words.</translation>
    </message>
    <message>
        <source>記録を読めませんでした：</source>
        <translation>The records could not be read: </translation>
    </message>
    <message>
        <source>この期間の記録：なし</source>
        <translation>Records in this period: none</translation>
    </message>
    <message>
        <source>記録：まだありません</source>
        <translation>Records: none yet</translation>
    </message>
    <message>
        <source>%1〜%2&#x3000;%3ゲーム・%4打鍵&#x3000;灰色の数字は%5回未満の参考値です。Esc で閉じます。</source>
        <translation>%1–%2  %3 games, %4 keys  Grey figures: fewer than %5 attempts. Esc closes.</translation>
    </message>
    <message>
        <source>yyyy/MM/dd</source>
        <translation>M/d/yyyy</translation>
    </message>
    <message>
        <source>かな入力</source>
        <translation>Kana input</translation>
    </message>
    <message>
        <source>クラス</source>
        <translation>Class</translation>
    </message>
</context>
<context>
    <name>TimeTrialRankingScreen</name>
    <message>
        <source>正答率</source>
        <translation>Acc.</translation>
    </message>
    <message>
        <source>ジャンル</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>ランキング</source>
        <translation>Ranking</translation>
    </message>
    <message>
        <source>かな入力</source>
        <translation>Kana input</translation>
    </message>
    <message>
        <source>入力方式</source>
        <translation>Input method</translation>
    </message>
</context>
<context>
    <name>TimeTrialResultScreen</name>
    <message>
        <source>ランクイン！</source>
        <translation>You made the ranking!</translation>
    </message>
    <message>
        <source>名前を入力してください。</source>
        <translation>Enter your name.</translation>
    </message>
    <message>
        <source>&#x3000;―&#x3000;結果&#x3000;―</source>
        <translation> — Results —</translation>
    </message>
    <message>
        <source>全打数：%1</source>
        <translation>Keys: %1</translation>
    </message>
    <message>
        <source>正打数：%1</source>
        <translation>Correct: %1</translation>
    </message>
    <message>
        <source>誤打数：%1</source>
        <translation>Misses: %1</translation>
    </message>
    <message>
        <source>正答率：</source>
        <translation>Accuracy: </translation>
    </message>
    <message>
        <source>Types/Sec：</source>
        <translation>Types/Sec: </translation>
    </message>
    <message>
        <source>スコア：%1</source>
        <translation>Score: %1</translation>
    </message>
    <message>
        <source>ランク：</source>
        <translation>Rank: </translation>
    </message>
    <message>
        <source>名前が長すぎます。
名前は半角%1文字（全角%2文字）まで入力できます。</source>
        <translation>The name is too long.
Up to %1 half-width (%2 full-width) characters.</translation>
    </message>
    <message>
        <source>「%1」は名前に使えない文字です。</source>
        <translation>&quot;%1&quot; cannot be used in a name.</translation>
    </message>
    <message>
        <source>ランキングを保存できませんでした</source>
        <translation>The ranking could not be saved</translation>
    </message>
    <message>
        <source>
この記録は登録されません。</source>
        <translation>
This run is not entered.</translation>
    </message>
    <message>
        <source>ベスト比：初の記録</source>
        <translation>vs. best: first record</translation>
    </message>
    <message>
        <source>F3：問題ごとの比較</source>
        <translation>F3: question by question</translation>
    </message>
    <message>
        <source>%1位</source>
        <translation>No. %1</translation>
    </message>
</context>
<context>
    <name>TimeTrialScreen</name>
    <message>
        <source>経過時間：</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>スペースでスタート</source>
        <translation>Press Space to start</translation>
    </message>
    <message>
        <source>ゴースト %1%</source>
        <translation>Ghost %1%</translation>
    </message>
</context>
<context>
    <name>TrainingMenu</name>
    <message>
        <source>ローマ字ガイド(&amp;R)</source>
        <translation>&amp;Romaji Guide</translation>
    </message>
    <message>
        <source>問題集の読み込み</source>
        <translation>Import a Question Set</translation>
    </message>
    <message>
        <source>問題集 (*.tsv *.csv *.txt);;すべてのファイル (*)</source>
        <translation>Question sets (*.tsv *.csv *.txt);;All files (*)</translation>
    </message>
    <message>
        <source>問題集の読み込み(&amp;I)...</source>
        <translation>&amp;Import Question Set...</translation>
    </message>
    <message>
        <source>学習記録に書き込めないため、問題集を読み込めません</source>
        <translation>The learning record cannot be written, so no question set can be imported</translation>
    </message>
</context>
<context>
    <name>TryAgain</name>
    <message>
        <source>もう一度挑戦しますか？</source>
        <translation>Try again?</translation>
    </message>
</context>
<context>
    <name>TypingPanel</name>
    <message>
        <source>問題</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>読み</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>入力したローマ字</source>
        <translation>Romaji typed</translation>
    </message>
</context>
<context>
    <name>ViewMenu</name>
    <message>
        <source>次に起動したときから日本語で表示します。</source>
        <translation>Key Derby will be in Japanese from the next start.</translation>
    </message>
    <message>
        <source>次に起動したときから英語で表示します。</source>
        <translation>Key Derby will be in English from the next start.</translation>
    </message>
    <message>
        <source>言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>ゴースト(&amp;G)</source>
        <translation>&amp;Ghost</translation>
    </message>
    <message>
        <source>記録の再生(&amp;P)</source>
        <translation>Re&amp;play a Game</translation>
    </message>
    <message>
        <source>入力方式(&amp;I)</source>
        <translation>&amp;Input Method</translation>
    </message>
    <message>
        <source>ローマ字入力(&amp;R)</source>
        <translation>&amp;Romaji Input</translation>
    </message>
    <message>
        <source>かな入力(&amp;K)</source>
        <translation>&amp;Kana Input</translation>
    </message>
</context>
<context>
    <name>WeakSpotsTab</name>
    <message>
        <source>かな</source>
        <translation>Kana</translation>
    </message>
    <message>
        <source>回数</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>ミス率</source>
        <translation>Miss rate</translation>
    </message>
    <message>
        <source>平均時間</source>
        <translation>Avg. time</translation>
    </message>
    <message>
        <source>苦手なキー（ミスの多い順）</source>
        <translation>Weak keys (most misses first)</translation>
    </message>
    <message>
        <source>キー</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>打鍵数</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>キーボード：</source>
        <translation>Keyboard:</translation>
    </message>
    <message>
        <source>JIS配列</source>
        <translation>JIS</translation>
    </message>
    <message>
        <source>US配列</source>
        <translation>US</translation>
    </message>
    <message>
        <source>色分け：</source>
        <translation>Colour by:</translation>
    </message>
    <message>
        <source>遅さ</source>
        <translation>Slowness</translation>
    </message>
    <message>
        <source>&lt;span style=&apos;color:%1&apos;&gt;■&lt;/span&gt; 得意&#x3000;&lt;span style=&apos;color:%2&apos;&gt;■&lt;/span&gt; ふつう&#x3000;&lt;span style=&apos;color:%3&apos;&gt;■&lt;/span&gt; 苦手&#x3000;&lt;span style=&apos;color:#464e64&apos;&gt;■&lt;/span&gt; 記録なし</source>
        <translation>&lt;span style=&apos;color:%1&apos;&gt;■&lt;/span&gt; strong  &lt;span style=&apos;color:%2&apos;&gt;■&lt;/span&gt; average  &lt;span style=&apos;color:%3&apos;&gt;■&lt;/span&gt; weak  &lt;span style=&apos;color:#464e64&apos;&gt;■&lt;/span&gt; no record</translation>
    </message>
    <message>
        <source>苦手な文字（ミスの多い順）</source>
        <translation>Weak letters (most misses first)</translation>
    </message>
    <message>
        <source>苦手なかな（ミスの多い順）</source>
        <translation>Weak kana (most misses first)</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>Letter</translation>
    </message>
</context>
<context>
    <name>WriteTrouble</name>
    <message>
        <source>ディスクがいっぱいです</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>ほかのプログラムが使用中です</source>
        <translation>another program is using it</translation>
    </message>
    <message>
        <source>書き込みできません</source>
        <translation>it cannot be written</translation>
    </message>
    <message>
        <source>ファイルの書き込みに失敗しました</source>
        <translation>writing the file failed</translation>
    </message>
    <message>
        <source>（</source>
        <translation> (</translation>
    </message>
    <message>
        <source>）。</source>
        <translation>).</translation>
    </message>
</context>
<context>
    <name>Zoom</name>
    <message>
        <source>全画面(&amp;F)</source>
        <translation>&amp;Full Screen</translation>
    </message>
    <message>
        <source>拡大(&amp;Z)</source>
        <translation>&amp;Zoom</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Key Derby はすでに起動しています。
同じデータを二つのウィンドウで使うと記録が壊れるため、先に起動した Key Derby をお使いください。</source>
        <translation>Key Derby is already running.
Two windows on the same data would spoil the records, so please use the Key Derby already open.</translation>
    </message>
    <message>
        <source>データのフォルダーに書き込めません</source>
        <translation>Cannot write to the data folder</translation>
    </message>
    <message>
        <source>
ゲームは遊べますが、記録は保存されません。</source>
        <translation>
You can play, but nothing will be saved.</translation>
    </message>
</context>
</TS>
