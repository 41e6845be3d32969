#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a school's
# machine would see: the program folder, the launchers on the PATH, the
# desktop files, and programs that find their data through the launchers.
# Arguments: the cmake program and the build folder.
set -uo pipefail
cmake_program=$1 build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

"$cmake_program" --install "$build" --prefix "$prefix" >"$prefix/install.log" 2>&1 ||
  { cat "$prefix/install.log"; echo "FAIL: cmake --install"; exit 1; }

program_folder=$prefix/lib/zelmora
for file in zelmora zelmora-cli Mustapha.zmr "Killer King.zmr" "Killer Queen.zmr" \
  Lollypop.zmr Help/Содержание.htm Help/zelmora.css Help/figures/203.png \
  share/applications/zelmora.desktop share/mime/packages/zelmora.xml \
  share/icons/hicolor/scalable/apps/zelmora.svg share/icons/hicolor/48x48/apps/zelmora.png \
  share/doc/zelmora/copyright share/doc/zelmora/changelog.Debian.gz share/metainfo/example.zelmora.Zelmora.metainfo.xml share/man/man1/zelmora.1.gz; do
  case $file in
  share/*) path=$prefix/$file ;;
  *) path=$program_folder/$file ;;
  esac
  [ -f "$path" ] || fail "$path is not installed"
done
for folder in Saves Macros; do
  [ -d "$program_folder/$folder" ] || fail "$program_folder/$folder is missing"
done
ls "$program_folder"/Saves/*.zms >/dev/null 2>&1 || fail "no example drawings in Saves/"
ls "$program_folder"/Tasks/*.zmt >/dev/null 2>&1 || fail "no lesson tasks in Tasks/"

# Launchers: on the PATH, pointing into the program folder.
for program in zelmora zelmora-cli; do
  [ -L "$prefix/bin/$program" ] || fail "bin/$program is not a link"
  [ "$(readlink -f "$prefix/bin/$program")" = "$(readlink -f "$program_folder/$program")" ] ||
    fail "bin/$program does not lead to the program folder"
done

# Both answer --version without a display.
for program in zelmora zelmora-cli; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PATH="$prefix/bin:$PATH" \
    timeout 10 "$program" --version 2>&1)
  [[ $out =~ ^$program\ [0-9]+\.[0-9]+ ]] || fail "$program --version printed: $out"
done

# Rendering needs the image pack of the program folder: started through the
# link, zelmora-cli must find it there.
drawing=$(ls "$program_folder"/Saves/*.zms | head -n 1)
PATH="$prefix/bin:$PATH" timeout 30 zelmora-cli render "$drawing" "$prefix/out.png" ||
  fail "zelmora-cli render through the link failed"
[ -s "$prefix/out.png" ] || fail "no picture rendered"

desktop-file-validate "$prefix/share/applications/zelmora.desktop" || fail "desktop file invalid"
xmllint --noout "$prefix/share/mime/packages/zelmora.xml" || fail "MIME XML malformed"
appstreamcli validate --no-net --pedantic \
  "$prefix/share/metainfo/example.zelmora.Zelmora.metainfo.xml" || fail "AppStream metainfo invalid"
# The MIME database compiled from our file must know all three file types.
mkdir -p "$prefix/mime/packages"
cp "$prefix/share/mime/packages/zelmora.xml" "$prefix/mime/packages/"
update-mime-database "$prefix/mime" >/dev/null 2>&1 || fail "update-mime-database failed"
for glob in application/x-zelmora-drawing:\*.zms application/x-zelmora-macro:\*.zmm \
  application/x-zelmora-task:\*.zmt; do
  grep -qF "$glob" "$prefix/mime/globs2" || fail "MIME database lacks $glob"
done
# The menu entry opens exactly the types the MIME file declares.
for type in application/x-zelmora-drawing application/x-zelmora-macro application/x-zelmora-task; do
  grep -q "^MimeType=.*$type;" "$prefix/share/applications/zelmora.desktop" || fail "desktop file lacks $type"
done

[ $failures -eq 0 ] && echo "install tree OK"
exit $failures
