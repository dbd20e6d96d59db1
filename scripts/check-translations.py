#!/usr/bin/env python3
"""Checks that the interface can be translated and that the English translation is complete.

- No Japanese string literal in program code goes around Qt's translation: every one is an
  argument of tr(), QCoreApplication::translate(), QT_TR_NOOP() or QT_TRANSLATE_NOOP().
  Data the game practises or stores (kana tables, record-file texts) is listed, with its
  count, in translations/untranslated-data.txt; tools/, tests/, bench/ and resources/ are exempt.
- lupdate finds every source text in translations/keyderby_en.ts with a finished translation,
  and no entry the sources no longer have.
Exits 1 and says what is off. Refresh the .ts with: cmake --build <dir> --target update_translations
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..'))
TS = os.path.join(ROOT, 'translations', 'keyderby_en.ts')
DATA_LIST = os.path.join(ROOT, 'translations', 'untranslated-data.txt')
PROGRAM = ['app', 'classroom', 'classui', 'common', 'derby', 'engine', 'learning', 'net', 'netui', 'platform', 'play', 'practice',
           'questions', 'shell', 'stats', 'timetrial', 'training']

TOKEN = re.compile(r'//[^\n]*|/\*.*?\*/|(?:u8|u|U|L)?"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)
# Kana, kanji, Japanese punctuation and full-width forms.
JAPANESE = re.compile(r'[\u3000-\u30ff\u3400-\u4dbf\u4e00-\u9fff\uff00-\uffef]')
# What may stand before a translated text: the call, or earlier arguments and joined literals.
TRANSLATING = re.compile(r'(\btr|\bQT_TR_NOOP|\btranslate|\bQT_TRANSLATE_NOOP)\s*\(\s*'
                         r'(?:"(?:\\.|[^"\\\n])*"\s*,\s*)?(?:"(?:\\.|[^"\\\n])*"\s*)*$')


def untranslated_literals(text):
    """Yields (line, literal) for each Japanese string literal outside a translation call."""
    code = []  # the text with comments blanked, so a comment cannot look like a call
    last = 0
    for m in TOKEN.finditer(text):
        code.append(text[last:m.start()])
        tok = m.group(0)
        code.append(' ' * len(tok) if tok.startswith('/') else tok)
        last = m.end()
    code.append(text[last:])
    code = ''.join(code)
    for m in TOKEN.finditer(code):
        tok = m.group(0)
        if not tok.endswith('"') or not JAPANESE.search(tok):
            continue
        if TRANSLATING.search(code[max(0, m.start() - 400):m.start()]):
            continue
        yield code.count('\n', 0, m.start()) + 1, tok


def check_literals():
    allowed = {}
    for line in open(DATA_LIST, encoding='utf-8'):
        line = line.split('#', 1)[0].split()
        if len(line) == 2:
            allowed[line[0]] = int(line[1])
    files = subprocess.run(['git', 'ls-files', '--', '*.cpp', '*.h'], cwd=ROOT, capture_output=True,
                           text=True, check=True).stdout.split()
    bad = 0
    for f in files:
        if f.split('/')[0] not in PROGRAM or f == 'common/Cp932Table.cpp':
            continue
        found = list(untranslated_literals(open(os.path.join(ROOT, f), encoding='utf-8').read()))
        if f in allowed:
            if len(found) != allowed[f]:
                print(f'{f}: {len(found)} Japanese data literals, translations/untranslated-data.txt says '
                      f'{allowed[f]}: translate the new text or correct the count')
                bad = 1
            continue
        for line, tok in found:
            print(f'{f}:{line}: Japanese text outside tr(): {tok[:60]}')
            bad = 1
    return bad


def check_ts():
    # Qt 6's own: a plain "lupdate" on PATH may be Qt 5's.
    lupdate = next((p for p in ('/usr/lib/qt6/bin/lupdate', shutil.which('lupdate6'), shutil.which('lupdate'))
                    if p and os.path.exists(p)), None)
    if not lupdate:
        print('lupdate not found (Debian: qt6-l10n-tools)')
        return 1
    with tempfile.TemporaryDirectory() as tmp:
        copy = os.path.join(tmp, 'keyderby_en.ts')
        shutil.copy(TS, copy)
        run = subprocess.run([lupdate, '-silent', '-locations', 'none', '-source-language', 'ja',
                              '-target-language', 'en', '-extensions', 'cpp,h'] + PROGRAM + ['-ts', copy],
                             cwd=ROOT, capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout + run.stderr)
            return 1
        ts = open(copy, encoding='utf-8').read()
    unfinished = len(re.findall(r'<translation type="unfinished"', ts))
    obsolete = len(re.findall(r'<translation type="(?:obsolete|vanished)"', ts))
    if unfinished or obsolete:
        print(f'translations/keyderby_en.ts: {unfinished} unfinished, {obsolete} obsolete '
              '(refresh it with the update_translations target, then translate)')
        return 1
    return 0


if __name__ == '__main__':
    status = check_literals() | check_ts()
    if status == 0:
        print('translations: ok')
    sys.exit(status)
