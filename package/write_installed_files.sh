#!/usr/bin/env bash
# Writes what the collection installs besides the programs, from what each
# program says about itself in its source (read with program_notes) and the
# pictures kept beside it:
#
#   OUT/applications/<program>.desktop       a menu entry per window program
#   OUT/icons/hicolor/NxN/apps/<program>.png its icon, N = 64, 128, 256
#   OUT/metainfo/<id>.metainfo.xml           AppStream metainfo, one component
#   OUT/man/man6/<program>.6                 a manual page per program
#   OUT/man/man7/tilings.7                   the overview page
#
#   write_installed_files.sh PROGRAM_NOTES MAKE_ICON SOURCE_DIR OUT VERSION \
#       DATE COMPONENT_ID SITE_URL WINDOW_PROGRAMS CONSOLE_PROGRAMS
#
# The program lists are <folder>/<program> entries separated by commas.
# An icon is made from the program's largest kept picture, the most
# detailed frame, which the web gallery shows too (as
# SITE_URL/pictures/<program>.png, the metainfo's screenshot); the window
# carries the 64 x 64 one. A menu entry names the class of the program's
# window, which is the program's name.
set -euo pipefail

notes_tool=$1 make_icon=$2 source=$3 out=$4 version=$5 date=$6 component=$7 site=${8%/}
IFS=, read -r -a window_programs <<<"$9"
IFS=, read -r -a console_programs <<<"${10}"
ICON_SIZES=(64 128 256)

notes() { "$notes_tool" "$source/$1.cpp" "$2"; }
notes_fr() { "$notes_tool" --lang fr "$source/$1.cpp" "$2"; }
xml() { sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g' <<<"$1"; }
# A line of running text for roff: backslashes kept, and a leading \& so
# that no line is read as a request.
roff() { printf '\\&%s\n' "$(sed -e 's/\\/\\e/g' <<<"$1")"; }
# The name of a program, in bold, with its section: \fBname\fP(6).
roff_name() { printf '\\fB%s\\fP(%s)' "${1//-/\\-}" "$2"; }

kept_pictures() {
  local folder=$source/$(dirname "$1") name=$(basename "$1")
  echo "$folder/${name}"_[0-9][0-9].png
}

mkdir -p "$out/applications" "$out/metainfo" "$out/man/man6" "$out/man/man7"
for size in "${ICON_SIZES[@]}"; do
  mkdir -p "$out/icons/hicolor/${size}x${size}/apps"
done

# A manual page's list of programs: each name and its title.
program_list() { # entry...
  for entry in "$@"; do
    echo '.TP'
    roff_name "$(basename "$entry")" 6; echo
    roff "$(notes "$entry" title)"
  done
}
title_header() { # name section
  printf '.TH %s %s %s "tilings %s" "Self-similar tilings"\n' \
    "$(tr a-z A-Z <<<"$1")" "$2" "$date" "$version"
}

# The manual page of one program.
write_man_page() { # entry kind(window|console)
  local entry=$1 kind=$2 name
  name=$(basename "$entry")
  {
    title_header "$name" 6
    echo '.SH NAME'
    printf '%s \\- %s\n' "${name//-/\\-}" "$(notes "$entry" title | sed 's/\\/\\e/g')"
    echo '.SH SYNOPSIS'
    printf '.B %s\n' "$name"
    echo '.SH DESCRIPTION'
    roff "$(notes "$entry" about)"
    echo '.PP'
    if [ "$kind" = window ]; then
      local frames=$(notes "$entry" frames) n
      if [ "$frames" -eq 1 ]; then
        roff "It opens a window of 800 x 600 pixels, shows the figure and waits for a key press or for the window to be closed; then it ends."
      else
        roff "It opens a window of 800 x 600 pixels and shows the figure in $frames frames. Each key press, or a request to close the window, moves on to the next frame, and the program ends after the last. Mouse movement and clicks are ignored."
        echo '.SH FRAMES'
        for ((n = 1; n <= frames; n++)); do
          printf '.TP\n%d\n' "$n"
          roff "$("$notes_tool" "$source/$entry.cpp" caption "$n")"
        done
      fi
    else
      roff "It prints its table on standard output, with captions in French, and then waits for one character: press Enter to end."
    fi
    if grep -q '^#include <SDL_ttf.h>' "$source/$entry.cpp"; then
      echo '.SH FILES'
      echo '.TP'
      echo '.I times.ttf'
      roff "The labels' TrueType font, looked for in the working folder first."
      echo '.TP'
      echo '.I ../share/tilings/times.ttf'
      roff "Else a copy installed with the program, next to the program's folder."
      echo '.TP'
      echo '.I /usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf'
      roff "Else Liberation Serif, where the fonts-liberation package keeps it (or in liberation2/ instead of liberation/). Without a usable font the program says so in one line on standard error and draws the figure without its labels."
    fi
    echo '.SH EXIT STATUS'
    if [ "$kind" = window ]; then
      roff "0 after the last frame; 1, with one line on standard error, when no window can be opened (there is no display, for instance)."
    else
      roff "0 once the table is written; 1, with one line on standard error naming the cause, when it cannot be written."
    fi
    echo '.SH SEE ALSO'
    echo "$(roff_name tilings 7)"
  } >"$out/man/man6/$name.6"
}

# The menu entry and the icons of one window program.
write_desktop_entry() { # entry
  local entry=$1 name pictures size
  name=$(basename "$entry")
  cat >"$out/applications/$name.desktop" <<EOF
[Desktop Entry]
Type=Application
Name=$(notes "$entry" title)
Name[fr]=$(notes_fr "$entry" title)
Comment=$(notes "$entry" about)
Comment[fr]=$(notes_fr "$entry" about)
Exec=$name
Icon=$name
StartupWMClass=$name
Terminal=false
Categories=Education;Math;
Keywords=tiling;self-similar;rep-tile;substitution;geometry;
Keywords[fr]=pavage;autosimilaire;reptile;substitution;géométrie;
EOF
  read -r -a pictures <<<"$(kept_pictures "$entry")"
  for size in "${ICON_SIZES[@]}"; do
    "$make_icon" "$size" "$out/icons/hicolor/${size}x${size}/apps/$name.png" "${pictures[@]}"
  done
}

for entry in "${window_programs[@]}"; do
  write_desktop_entry "$entry"
  write_man_page "$entry" window
done
for entry in "${console_programs[@]}"; do
  write_man_page "$entry" console
done

# The overview page, tilings(7).
{
  title_header tilings 7
  echo '.SH NAME'
  echo 'tilings \- small programs that draw self-similar tilings of the plane'
  echo '.SH DESCRIPTION'
  roff "Rep-tiles that split into smaller copies of themselves, and substitution rules that refine a patch step by step, drawn by ${#window_programs[@]} window programs; ${#console_programs[@]} console programs print small tables about the five-way split of a right triangle. No program reads arguments."
  echo '.PP'
  roff "Each window program opens a window of 800 x 600 pixels and draws one figure, some in stages: each key press, or a request to close the window, moves on to the next frame, and the program ends after its last. Each has an entry in the desktop's menu, under Education."
  echo '.SH WINDOW PROGRAMS'
  program_list "${window_programs[@]}"
  echo '.SH CONSOLE PROGRAMS'
  program_list "${console_programs[@]}"
  echo '.SH SEE ALSO'
  for entry in "${window_programs[@]}" "${console_programs[@]}"; do
    printf '%s%s\n' "$(roff_name "$(basename "$entry")" 6)" \
      "$([ "$entry" = "${console_programs[-1]}" ] || echo ,)"
  done
} >"$out/man/man7/tilings.7"

# The AppStream metainfo: the collection as one component, launched from
# any of its menu entries, with a screenshot of each window program.
{
  cat <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<component type="desktop-application">
  <id>$component</id>
  <metadata_license>CC0-1.0</metadata_license>
  <name>Self-similar tilings</name>
  <summary>Tilings of the plane by copies of a shape, drawn step by step</summary>
  <description>
    <p>
      Small programs that draw self-similar tilings of the plane: rep-tiles
      that split into smaller copies of themselves, and substitution rules
      that refine a patch step by step. Each window program draws one
      figure, some in stages, one frame per key press; two console programs
      print small tables about the five-way split of a right triangle.
    </p>
    <p>The figures:</p>
    <ul>
EOF
  for entry in "${window_programs[@]}"; do
    printf '      <li>%s</li>\n' "$(xml "$(notes "$entry" title)")"
  done
  cat <<EOF
    </ul>
  </description>
  <categories>
    <category>Education</category>
    <category>Math</category>
  </categories>
EOF
  for entry in "${window_programs[@]}"; do
    printf '  <launchable type="desktop-id">%s.desktop</launchable>\n' "$(basename "$entry")"
  done
  echo '  <provides>'
  for entry in "${window_programs[@]}" "${console_programs[@]}"; do
    printf '    <binary>%s</binary>\n' "$(basename "$entry")"
  done
  echo '  </provides>'
  echo "  <url type=\"homepage\">$(xml "$site/")</url>"
  echo '  <screenshots>'
  kind=' type="default"'
  for entry in "${window_programs[@]}"; do
    printf '    <screenshot%s>\n      <caption>%s</caption>\n      <image>%s</image>\n    </screenshot>\n' \
      "$kind" "$(xml "$(notes "$entry" title)")" "$(xml "$site/pictures/$(basename "$entry").png")"
    kind=
  done
  echo '  </screenshots>'
  cat <<EOF
  <releases>
    <release version="$version" date="$date"/>
  </releases>
  <content_rating type="oars-1.1"/>
</component>
EOF
} >"$out/metainfo/$component.metainfo.xml"
