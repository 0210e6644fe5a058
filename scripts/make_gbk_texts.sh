#!/bin/sh
# Rebuilds the GBK files from their UTF-8 sources; run it from the repository
# root after editing a source and commit both.
#   resources/help_text.txt  -> resources/help_text.gbk (CR LF, two closing NUL bytes)
#   server/sample/4x.utf8.txt -> server/sample/4x.txt   (CR LF)
set -eu
export LC_ALL=C

to_gbk_crlf() {
    iconv -f UTF-8 -t GBK "$1" | sed 's/$/\r/'
}

{ to_gbk_crlf resources/help_text.txt; printf '\000\000'; } > resources/help_text.gbk
to_gbk_crlf server/sample/4x.utf8.txt > server/sample/4x.txt
