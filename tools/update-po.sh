#!/usr/bin/env bash
# Writes po/vekora.pot, the template of every text a person reads, from the texts the sources
# mark (Tr, TrFormat, N_), and merges it into every po/CODE.po, so that a translator sees what
# is new or changed (marked fuzzy). Run it after adding or changing such a text.
#   tools/update-po.sh            write the template and merge it
#   tools/update-po.sh --check    change nothing: fail when the template is out of date, when
#                                 msgfmt --check finds a fault in a catalogue, or when English
#                                 (which must be complete) lacks a text or has a fuzzy one, or
#                                 when Spanish lacks one of the texts whose source is English
set -euo pipefail
cd "$(dirname "$0")/.."

template() {
  local warnings texts
  warnings=$(mktemp)
  texts=$(mktemp)
  trap 'rm -f "$warnings" "$texts"' RETURN
  local options=(--keyword --keyword=Tr --keyword=TrFormat:1 --keyword=N_ --add-comments=TRANSLATORS:
                 --add-location=file --sort-by-file --package-name=Vekora --no-wrap)
  # The program's sources hold Latin-1, the web page's JavaScript UTF-8; the template and the
  # catalogues are UTF-8.
  find i18n geom settings draw anim construct script interp platform run shell lsp api export web/src \
       -name '*.cpp' -o -name '*.h' | LC_ALL=C sort |
    xgettext --from-code=ISO-8859-1 --language=C++ "${options[@]}" --files-from=- -o "$texts" 2>"$warnings"
  grep -l 'N_(' web/src/*.js | LC_ALL=C sort |
    xgettext --from-code=UTF-8 --language=JavaScript --join-existing "${options[@]}" --files-from=- -o "$texts" \
             2>>"$warnings"
  sed '1,/^$/d' "$texts" | cat po/header.pot -
  # Spanish source texts are not ASCII, which xgettext warns of for every one of them.
  grep -v -e 'non-ASCII' -e 'character encoding' -e 'different from yours' -e '^ ' "$warnings" >&2 || true
}

if [ "${1:-}" = "--check" ]; then
  status=0
  if ! diff -u po/vekora.pot <(template); then
    echo "po/vekora.pot is out of date: run tools/update-po.sh" >&2
    status=1
  fi
  for po in po/*.po; do
    msgfmt --check --output-file=/dev/null "$po" || status=1
  done
  # msgcmp counts an untranslated or fuzzy text as missing.
  msgcmp po/en.po po/vekora.pot || status=1
  # Spanish needs only the texts whose source is English: the others are Spanish already.
  tools/check-english-sources.pl po/en.po po/es.po || status=1
  exit $status
fi

template > po/vekora.pot
for po in po/*.po; do
  msgmerge --quiet --update --backup=none --no-wrap --add-location=file "$po" po/vekora.pot
done
