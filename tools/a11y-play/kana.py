# Romaji for a kana reading, as a player types it (shi as si, tsu as tu: the game takes both).
BASE = {}
rows = {
 "": "あいうえお", "k": "かきくけこ", "s": "さしすせそ", "t": "たちつてと", "n": "なにぬねの",
 "h": "はひふへほ", "m": "まみむめも", "r": "らりるれろ", "g": "がぎぐげご", "z": "ざじずぜぞ",
 "d": "だぢづでど", "b": "ばびぶべぼ", "p": "ぱぴぷぺぽ"}
for c, ks in rows.items():
    for v, k in zip("aiueo", ks):
        BASE[k] = c + v
BASE.update({"し": "si", "ち": "ti", "つ": "tu", "ふ": "hu", "じ": "zi", "ぢ": "di", "づ": "du",
             "や": "ya", "ゆ": "yu", "よ": "yo", "わ": "wa", "を": "wo", "ん": "nn", "ー": "-",
             "ぁ": "xa", "ぃ": "xi", "ぅ": "xu", "ぇ": "xe", "ぉ": "xo", "ゃ": "xya", "ゅ": "xyu",
             "ょ": "xyo", "ゎ": "xwa", "、": ",", "。": ".", "ゔ": "vu"})
SMALL = {"ゃ": "ya", "ゅ": "yu", "ょ": "yo"}

def romaji(reading):
    out, i = [], 0
    while i < len(reading):
        k = reading[i]
        nxt = reading[i + 1] if i + 1 < len(reading) else ""
        if k == "っ" and nxt:
            r = romaji(reading[i + 1:])
            return "".join(out) + (r[0] if r[0] not in "aiueon" else "xtu") + r
        if nxt in SMALL and k in BASE and BASE[k][-1] == "i" and len(BASE[k]) >= 2:
            out.append(BASE[k][:-1] + SMALL[nxt]); i += 2; continue
        out.append(BASE.get(k, k)); i += 1
    return "".join(out)
