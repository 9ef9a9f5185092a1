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
#   OUT/man/fr/man6, OUT/man/fr/man7         the manual pages in French
#
# The menu entries and the metainfo carry their texts in English and in
# French.
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

# The language of the text being written: en or fr.
lang=en
# The notes of a program in that language: notes ENTRY FIELD [N].
notes() { "$notes_tool" --lang "$lang" "$source/$1.cpp" "${@:2}"; }
# The English or the French, as the language asks: say ENGLISH FRENCH.
say() { if [ "$lang" = fr ]; then printf '%s' "$2"; else printf '%s' "$1"; fi; }
xml() { sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g' <<<"$1"; }
# Text for roff: backslashes kept, and no-break spaces as roff's own.
roff_text() { LC_ALL=C sed -e 's/\\/\\e/g' -e 's/\xc2\xa0/\\ /g' <<<"$1"; }
# A line of running text for roff, with a leading \& so that no line is
# read as a request.
roff() { printf '\\&%s\n' "$(roff_text "$1")"; }
# The name of a program, in bold, with its section: \fBname\fP(6).
roff_name() { printf '\\fB%s\\fP(%s)' "${1//-/\\-}" "$2"; }

kept_pictures() {
  local folder=$source/$(dirname "$1") name=$(basename "$1")
  echo "$folder/${name}"_[0-9][0-9].png
}

mkdir -p "$out/applications" "$out/metainfo"
mkdir -p "$out/man/man6" "$out/man/man7" "$out/man/fr/man6" "$out/man/fr/man7"
for size in "${ICON_SIZES[@]}"; do
  mkdir -p "$out/icons/hicolor/${size}x${size}/apps"
done

# Where the manual pages in the language go.
man_folder() { say "$out/man" "$out/man/fr"; }

# A manual page's list of programs: each name and its title.
program_list() { # entry...
  for entry in "$@"; do
    echo '.TP'
    roff_name "$(basename "$entry")" 6; echo
    roff "$(notes "$entry" title)"
  done
}
title_header() { # name section
  printf '.TH %s %s %s "tilings %s" "%s"\n' "$(tr a-z A-Z <<<"$1")" "$2" "$date" "$version" \
    "$(say "Self-similar tilings" "Pavages autosimilaires")"
}

# The manual page of one program.
write_man_page() { # entry kind(window|console)
  local entry=$1 kind=$2 name
  name=$(basename "$entry")
  {
    title_header "$name" 6
    echo ".SH $(say NAME NOM)"
    printf '%s \\- %s\n' "${name//-/\\-}" "$(roff_text "$(notes "$entry" title)")"
    echo '.SH SYNOPSIS'
    printf '.B %s\n' "$name"
    echo '.SH DESCRIPTION'
    roff "$(notes "$entry" about)"
    echo '.PP'
    if [ "$kind" = window ]; then
      local frames=$(notes "$entry" frames) n
      if [ "$frames" -eq 1 ]; then
        roff "$(say "It opens a window of 800 x 600 pixels, shows the figure and waits for a key press or for the window to be closed; then it ends." \
          "Le programme ouvre une fenêtre de 800 × 600 pixels, montre la figure et attend l'appui sur une touche ou la fermeture de la fenêtre ; puis il se termine.")"
      else
        roff "$(say "It opens a window of 800 x 600 pixels and shows the figure in $frames frames. Each key press, or a request to close the window, moves on to the next frame, and the program ends after the last. Mouse movement and clicks are ignored." \
          "Le programme ouvre une fenêtre de 800 × 600 pixels et montre la figure en $frames images. Chaque appui sur une touche, ou chaque demande de fermeture de la fenêtre, fait passer à l'image suivante, et le programme se termine après la dernière. Les mouvements et les clics de la souris sont ignorés.")"
        echo ".SH $(say FRAMES IMAGES)"
        for ((n = 1; n <= frames; n++)); do
          printf '.TP\n%d\n' "$n"
          roff "$(notes "$entry" caption "$n")"
        done
      fi
      echo ".SH $(say ENVIRONMENT ENVIRONNEMENT)"
      echo '.TP'
      echo '.BR LANGUAGE ", " LC_ALL ", " LC_MESSAGES ", " LANG'
      roff "$(say "The window's title, the figure's, is in French when LANGUAGE lists French (fr) before English, or else when the first of LC_ALL, LC_MESSAGES and LANG that is set names French (fr_FR.UTF-8, say); otherwise it is in English." \
        "Le titre de la fenêtre, celui de la figure, est en français quand LANGUAGE cite le français (fr) avant l'anglais, ou sinon quand la première des variables LC_ALL, LC_MESSAGES et LANG qui est définie désigne le français (fr_FR.UTF-8, par exemple) ; sinon, il est en anglais.")"
    else
      roff "$(say "It prints its table on standard output, with captions in French, and then waits for one character: press Enter to end." \
        "Le programme affiche sa table sur la sortie standard, avec des légendes en français, puis attend un caractère : appuyez sur Entrée pour terminer.")"
    fi
    if grep -q '^#include <SDL_ttf.h>' "$source/$entry.cpp"; then
      echo ".SH $(say FILES FICHIERS)"
      echo '.TP'
      echo '.I times.ttf'
      roff "$(say "The labels' TrueType font, looked for in the working folder first." \
        "La police TrueType des étiquettes, cherchée d'abord dans le dossier de travail.")"
      echo '.TP'
      echo '.I ../share/tilings/times.ttf'
      roff "$(say "Else a copy installed with the program, next to the program's folder." \
        "Sinon, une copie installée avec le programme, à côté du dossier du programme.")"
      echo '.TP'
      echo '.I /usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf'
      roff "$(say "Else Liberation Serif, where the fonts-liberation package keeps it (or in liberation2/ instead of liberation/). Without a usable font the program says so in one line on standard error and draws the figure without its labels." \
        "Sinon, Liberation Serif, là où le paquet fonts-liberation la range (ou dans liberation2/ au lieu de liberation/). Sans police utilisable, le programme le signale en une ligne sur la sortie d'erreur et trace la figure sans ses étiquettes.")"
    fi
    echo ".SH $(say "EXIT STATUS" "CODE DE RETOUR")"
    if [ "$kind" = window ]; then
      roff "$(say "0 after the last frame; 1, with one line on standard error, when no window can be opened (there is no display, for instance)." \
        "0 après la dernière image ; 1, avec une ligne sur la sortie d'erreur, quand aucune fenêtre ne peut être ouverte (quand il n'y a pas d'affichage, par exemple).")"
    else
      roff "$(say "0 once the table is written; 1, with one line on standard error naming the cause, when it cannot be written." \
        "0 une fois la table écrite ; 1, avec une ligne sur la sortie d'erreur qui en donne la cause, quand elle ne peut pas être écrite.")"
    fi
    echo ".SH $(say "SEE ALSO" "VOIR AUSSI")"
    roff_name tilings 7; echo
  } >"$(man_folder)/man6/$name.6"
}

# The overview page, tilings(7).
write_overview_page() {
  {
    title_header tilings 7
    echo ".SH $(say NAME NOM)"
    say 'tilings \- small programs that draw self-similar tilings of the plane' \
      'tilings \- petits programmes qui tracent des pavages autosimilaires du plan'
    echo
    echo '.SH DESCRIPTION'
    roff "$(say "Rep-tiles that split into smaller copies of themselves, and substitution rules that refine a patch step by step, drawn by ${#window_programs[@]} window programs; ${#console_programs[@]} console programs print small tables about the five-way split of a right triangle. No program reads arguments." \
      "Des reptiles, qui se découpent en copies plus petites d'eux-mêmes, et des règles de substitution, qui affinent pas à pas un morceau de pavage, tracés par ${#window_programs[@]} programmes à fenêtre ; ${#console_programs[@]} programmes en console affichent de petites tables sur le découpage en cinq d'un triangle rectangle. Aucun programme ne lit d'arguments.")"
    echo '.PP'
    roff "$(say "Each window program opens a window of 800 x 600 pixels and draws one figure, some in stages: each key press, or a request to close the window, moves on to the next frame, and the program ends after its last. Each has an entry in the desktop's menu, under Education." \
      "Chaque programme à fenêtre ouvre une fenêtre de 800 × 600 pixels et trace une figure, parfois en plusieurs étapes : chaque appui sur une touche, ou chaque demande de fermeture de la fenêtre, fait passer à l'image suivante, et le programme se termine après la dernière. Chacun a une entrée dans le menu du bureau, sous Éducation.")"
    echo ".SH $(say "WINDOW PROGRAMS" "PROGRAMMES À FENÊTRE")"
    program_list "${window_programs[@]}"
    echo ".SH $(say "CONSOLE PROGRAMS" "PROGRAMMES EN CONSOLE")"
    program_list "${console_programs[@]}"
    echo ".SH $(say "SEE ALSO" "VOIR AUSSI")"
    for entry in "${window_programs[@]}" "${console_programs[@]}"; do
      printf '%s%s\n' "$(roff_name "$(basename "$entry")" 6)" \
        "$([ "$entry" = "${console_programs[-1]}" ] || echo ,)"
    done
  } >"$(man_folder)/man7/tilings.7"
}

# The menu entry and the icons of one window program.
write_desktop_entry() { # entry
  local entry=$1 name pictures size
  name=$(basename "$entry")
  cat >"$out/applications/$name.desktop" <<EOF
[Desktop Entry]
Type=Application
Name=$(lang=en notes "$entry" title)
Name[fr]=$(lang=fr notes "$entry" title)
Comment=$(lang=en notes "$entry" about)
Comment[fr]=$(lang=fr notes "$entry" about)
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
done
for lang in en fr; do
  for entry in "${window_programs[@]}"; do
    write_man_page "$entry" window
  done
  for entry in "${console_programs[@]}"; do
    write_man_page "$entry" console
  done
  write_overview_page
done
lang=en

# An element of the metainfo in English, then in French: in_both INDENT TAG
# ENGLISH FRENCH.
in_both() {
  printf '%s<%s>%s</%s>\n' "$1" "$2" "$(xml "$3")" "$2"
  printf '%s<%s xml:lang="fr">%s</%s>\n' "$1" "$2" "$(xml "$4")" "$2"
}

# The AppStream metainfo: the collection as one component, launched from
# any of its menu entries, with a screenshot of each window program.
{
  cat <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<component type="desktop-application">
  <id>$component</id>
  <metadata_license>CC0-1.0</metadata_license>
EOF
  in_both '  ' name "Self-similar tilings" "Pavages autosimilaires"
  in_both '  ' summary "Tilings of the plane by copies of a shape, drawn step by step" \
    "Des pavages du plan par des copies d'une forme, tracés pas à pas"
  echo '  <description>'
  in_both '    ' p "Small programs that draw self-similar tilings of the plane: rep-tiles that split into smaller copies of themselves, and substitution rules that refine a patch step by step. Each window program draws one figure, some in stages, one frame per key press; two console programs print small tables about the five-way split of a right triangle." \
    "De petits programmes qui tracent des pavages autosimilaires du plan : des reptiles, qui se découpent en copies plus petites d'eux-mêmes, et des règles de substitution, qui affinent pas à pas un morceau de pavage. Chaque programme à fenêtre trace une figure, parfois en plusieurs étapes, une image par appui sur une touche ; deux programmes en console affichent de petites tables sur le découpage en cinq d'un triangle rectangle."
  in_both '    ' p "The figures:" "Les figures :"
  echo '    <ul>'
  for entry in "${window_programs[@]}"; do
    in_both '      ' li "$(lang=en notes "$entry" title)" "$(lang=fr notes "$entry" title)"
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
    printf '    <screenshot%s>\n' "$kind"
    in_both '      ' caption "$(lang=en notes "$entry" title)" "$(lang=fr notes "$entry" title)"
    printf '      <image>%s</image>\n    </screenshot>\n' "$(xml "$site/pictures/$(basename "$entry").png")"
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
