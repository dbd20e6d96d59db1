-- The learning record of one player (learning.sqlite in the player's folder).
-- Version 1. Times are milliseconds; wall-clock times are milliseconds since the epoch (UTC).
-- Other tables may be added (caches, summaries); these columns keep their meaning.

CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);      -- 'schema_version' = '1'
CREATE TABLE settings(key TEXT PRIMARY KEY, value TEXT NOT NULL);  -- per-player options

CREATE TABLE games(
  id          INTEGER PRIMARY KEY,
  mode        INTEGER NOT NULL,            -- 0 practice, 1 time trial, 2 race, 3 boss, 4 network race
  genre       TEXT    NOT NULL,            -- 'kannyouku', 'english', or 'set:<id>' for an own set
  chara       INTEGER,                     -- derby: the player's character
  heat        INTEGER,                     -- derby: heat 1-5, 6 the boss
  setting_s   INTEGER,                     -- practice: time set in seconds, 0 unlimited
  started_at  INTEGER NOT NULL,            -- wall clock
  duration_ms INTEGER NOT NULL,
  correct     INTEGER NOT NULL,
  misses      INTEGER NOT NULL,
  abandoned   INTEGER NOT NULL DEFAULT 0,  -- left with Esc/Backspace or closed
  imported    INTEGER NOT NULL DEFAULT 0,  -- a summary brought over from the old record files
  time_ms     INTEGER,                     -- time trial: recorded time
  grade       TEXT,                        -- time trial: 'S'..'G'
  score       INTEGER,                     -- time trial
  place       INTEGER,                     -- time trial ranking place (NULL: not ranked); race: 1-4
  won         INTEGER,                     -- boss: 1 won, 0 lost
  input_method INTEGER NOT NULL DEFAULT 0  -- how readings were typed: 0 romaji, 1 kana keys (version 4)
);
CREATE INDEX games_by_time ON games(mode, genre, started_at);

CREATE TABLE questions(
  game_id      INTEGER NOT NULL REFERENCES games(id) ON DELETE CASCADE,
  seq          INTEGER NOT NULL,           -- 0, 1, 2 ... within the game
  question_id  INTEGER NOT NULL,
  text         TEXT    NOT NULL,           -- kanji form or word
  reading      TEXT    NOT NULL,           -- kana reading or word
  shown_ms     INTEGER NOT NULL,           -- since the game began
  first_key_ms INTEGER,                    -- since the question appeared (NULL: no key)
  last_key_ms  INTEGER,
  misses       INTEGER NOT NULL,
  completed    INTEGER NOT NULL,
  PRIMARY KEY(game_id, seq)
) WITHOUT ROWID;

CREATE TABLE keys(
  game_id      INTEGER NOT NULL REFERENCES games(id) ON DELETE CASCADE,
  seq          INTEGER NOT NULL,           -- 0, 1, 2 ... within the game
  question_seq INTEGER NOT NULL,
  ms           INTEGER NOT NULL,           -- since the question appeared
  expected     TEXT    NOT NULL,           -- kana unit ('し', 'しゃ', 'っち', 'ん') or letter
  expected_key TEXT    NOT NULL,           -- the key the followed (or first) form wanted next
  typed        TEXT    NOT NULL,           -- the key typed
  hit          INTEGER NOT NULL,
  form         TEXT,                       -- hit: the romaji form followed ('si', 'shi')
  PRIMARY KEY(game_id, seq)
) WITHOUT ROWID;

-- Derby lanes per opponent tick, for replays (lane 0 the player).
CREATE TABLE lanes(
  game_id INTEGER NOT NULL REFERENCES games(id) ON DELETE CASCADE,
  ms      INTEGER NOT NULL,                -- since the game began
  p0 INTEGER, p1 INTEGER, p2 INTEGER, p3 INTEGER, p4 INTEGER,
  PRIMARY KEY(game_id, ms)
) WITHOUT ROWID;

-- The time-trial ranking of kana runs (version 4), shaped as the ranking file's ten places
-- (place 0-9); kana runs never go into that file.
CREATE TABLE kana_ranking(
  place   INTEGER PRIMARY KEY,
  name    TEXT    NOT NULL,
  time_ms INTEGER NOT NULL,
  rate    TEXT    NOT NULL,
  score   INTEGER NOT NULL,
  grade   TEXT    NOT NULL,
  genre   TEXT    NOT NULL
);
