#!/bin/sh
# Writes into the test prefix, with Wine's own reg tool, the keys the Windows
# test reads, and puts the stand-in tool under "C:\Program Files".
# Usage: registry-keys.sh WINE FAKE_TOOL_EXE   (prefix in WINEPREFIX)
set -eu
# Also in folders named in Chinese and in Cyrillic, which the registry names.
for folder in 'Numoria Tool' '数字 工具' 'Числа'; do
    mkdir -p "$WINEPREFIX/drive_c/Program Files/$folder"
    cp "$2" "$WINEPREFIX/drive_c/Program Files/$folder/MSINFO32.EXE"
done
tool='C:\\Program Files\\Numoria Tool'
# A quoted text counts its final NUL; hex(1) can leave it out or go past it.
iconv -f UTF-8 -t UTF-16 >"$WINEPREFIX/drive_c/numoria-tests.reg" <<REG
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]
"PATH"="$tool\\\\MSINFO32.EXE"
[HKEY_LOCAL_MACHINE\\SOFTWARE\\Numoria Tests\\Second\\SOFTWARE\\Microsoft\\Shared Tools Location]
"MSINFO"="$tool"
[HKEY_LOCAL_MACHINE\\SOFTWARE\\Numoria Tests\\中文\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]
"PATH"="C:\\\\Program Files\\\\数字 工具\\\\MSINFO32.EXE"
[HKEY_LOCAL_MACHINE\\SOFTWARE\\Numoria Tests\\Cyrillic\\SOFTWARE\\Microsoft\\Shared Tools Location]
"MSINFO"="C:\\\\Program Files\\\\Числа"
[HKEY_LOCAL_MACHINE\\SOFTWARE\\Numoria Tests\\No tool\\SOFTWARE\\Microsoft\\Shared Tools Location]
"MSINFO"="C:\\\\Program Files"
[HKEY_LOCAL_MACHINE\\SOFTWARE\\Numoria Tests\\Values]
"Counted"="$tool"
"Uncounted"=hex(1):41,00,42,00,43,00
"Cut"=hex(1):41,00,00,00,42,00,00,00
"Accented"="Café"
"Chinese"="数字 零"
"Cyrillic"="Числа"
"Flags"=dword:0000001f
"Long"="$(printf '%01100d' 0)"
REG
"$1" reg import 'C:\numoria-tests.reg'
