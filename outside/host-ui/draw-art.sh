#!/usr/bin/env bash
# Copies the host's templates into the folder given and draws every picture
# they name beside them, as 24-bit BMP files.
#
# Every rectangle comes from the templates themselves (RECT, EDITRECT,
# MOVERECT) and every file name too, so that moving a control in a .DTP moves
# its picture with it. Only what the templates cannot say is written here:
# each window's size and title, the boxes under the address book's own child
# windows, the send-mail window's strip for the mail library's status line
# and progress bar, and the words of the labels.
set -euo pipefail
out="${1:?usage: draw-art.sh OUTPUT_DIR}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
templates=(AddressBook NewAddress EditAddress SendMail)

# A plain dialog: a slate title strip, a light panel, white boxes with a grey
# rim where the user types or picks, dark ink.
PANEL='#E9ECF1'; FRAME='#14213D'
TITLE_BAR='#2E4A6B'; TITLE_INK='#FFFFFF'
BOX='#FFFFFF'; BOX_RIM='#8A96A8'
INK='#14213D'

# Button looks: raised with a light top edge, pressed in with the shading
# turned round, and flat and faded when it cannot be used.
FACE_UP='#DCE3EC'; FACE_DOWN='#B2C0D3'; FACE_OFF='#E4E6EA'
EDGE='#4A5A70'; EDGE_OFF='#B8BEC7'
LIGHT='#FFFFFF'; SHADE='#8A96A8'; SHADE_DOWN='#6E7C90'
INK_OFF='#A0A6AF'

# Helvetica comes with ghostscript, which the build machines have; should it
# be missing, ImageMagick's own default still draws readable text. grep reads
# the whole list: with -q it would stop early, convert would die of the
# closed pipe, and pipefail would report the font missing.
font_args() {  # font_args FONT
  if convert -list font | grep "Font: $1\$" > /dev/null; then echo "-font $1"; fi
}
FONT=$(font_args Helvetica)
FONT_BOLD=$(font_args Helvetica-Bold)

# 24-bit BMP even for a picture of few colours, which ImageMagick would
# otherwise write with a palette.
save() {  # save CONVERT-ARGS... FILE
  local file="${*: -1}"
  convert "${@:1:$#-1}" -alpha off -type TrueColor "BMP3:$file"
}

# One line per section this script draws for, fields split by "|":
#   template|NAME|FILENAME|MOVERECT
#   button|NAME|RECT|REGSTATE|DOWNSTATE|INVALIDSTATE
#   edit|NAME|EDITRECT
# Values lose their blanks, which names and rectangles never need.
parse_dtp() {  # parse_dtp FILE
  awk '
    function flush() {
      if (kind == "[TEMPLATE]") print "template", v["NAME"], v["FILENAME"], v["MOVERECT"]
      else if (kind == "[BUTTON]")
        print "button", v["NAME"], v["RECT"], v["REGSTATE"], v["DOWNSTATE"], v["INVALIDSTATE"]
      else if (kind == "[EDITBOX]") print "edit", v["NAME"], v["EDITRECT"]
      split("", v)
    }
    BEGIN { OFS = "|" }
    { sub(/\r$/, "") }
    /^[ \t]*\/\// { next }
    /^[ \t]*\[/ { flush(); kind = toupper($0); gsub(/[ \t]/, "", kind); next }
    /=/ {
      at = index($0, "=")
      key = toupper(substr($0, 1, at - 1)); value = substr($0, at + 1)
      gsub(/[ \t]/, "", key); gsub(/[ \t]/, "", value)
      v[key] = value
    }
    END { flush() }
  ' "$1"
}

# The caption a button wears, from its name: the part after the last "_",
# split into words ("AddTo" is "Add To", "AddressBook" is "Address Book",
# "AddAddress" is "Add Address"). A capitals word after another word is a
# mail field and is written as the labels write it ("Cc").
caption_of() {  # caption_of NAME
  printf '%s\n' "${1##*_}" | sed -E 's/([a-z])([A-Z])/\1 \2/g; s/ ([A-Z])([A-Z]+)$/ \1\L\2/'
}

# button_picture FILE W H LOOK CAPTION: LOOK is up, down or off.
button_picture() {
  local file=$1 w=$2 h=$3 look=$4 caption=$5
  local face edge hi lo ink shift=0 r=$(( $2 - 1 )) b=$(( $3 - 1 ))
  case $look in
    up)   face=$FACE_UP;   edge=$EDGE;     hi=$LIGHT;      lo=$SHADE;    ink=$INK ;;
    down) face=$FACE_DOWN; edge=$EDGE;     hi=$SHADE_DOWN; lo=$FACE_UP;  ink=$INK; shift=1 ;;
    off)  face=$FACE_OFF;  edge=$EDGE_OFF; hi=$FACE_OFF;   lo=$FACE_OFF; ink=$INK_OFF ;;
  esac
  # shellcheck disable=SC2086  # FONT is empty or two words on purpose
  save -size "${w}x${h}" "xc:$face" +antialias \
    -fill none -stroke "$edge" -draw "rectangle 0,0 $r,$b" \
    -stroke "$hi" -draw "line 1,1 $(( r - 1 )),1 line 1,1 1,$(( b - 1 ))" \
    -stroke "$lo" -draw "line 1,$(( b - 1 )) $(( r - 1 )),$(( b - 1 )) line $(( r - 1 )),1 $(( r - 1 )),$(( b - 1 ))" \
    -antialias -stroke none -fill "$ink" $FONT -pointsize 12 -gravity center \
    -annotate "+$shift+$shift" "$caption" \
    "$file"
}

# draw_button NAME RECT REGSTATE DOWNSTATE INVALIDSTATE: each picture the
# size of RECT (right and bottom lie outside the button).
draw_button() {
  local name=$1 rect=$2 l t r b caption
  IFS=, read -r l t r b <<< "$rect"
  caption=$(caption_of "$name")
  button_picture "$3" $(( r - l )) $(( b - t )) up "$caption"
  button_picture "$4" $(( r - l )) $(( b - t )) down "$caption"
  if [ -n "$5" ]; then button_picture "$5" $(( r - l )) $(( b - t )) off "$caption"; fi
}

# What only the picture knows, per window: its size, its title, and the
# boxes the host's own child windows cover (the address book's list view and
# To and Cc list boxes), each with the label above it.
window_size() {
  case $1 in
    AddressBook) echo 460x260 ;;
    NewAddress|EditAddress) echo 300x140 ;;
    SendMail) echo 480x370 ;;
  esac
}
window_title() {
  case $1 in
    AddressBook) echo 'Address book' ;;
    NewAddress) echo 'New address' ;;
    EditAddress) echo 'Edit address' ;;
    SendMail) echo 'Send mail' ;;
  esac
}
child_boxes() {  # one "l,t,r,b|label" a line
  case $1 in
    AddressBook) printf '%s\n' '21,44,182,229|' '269,61,430,129|To:' '269,161,430,229|Cc:' ;;
  esac
}
# Where a library, not the host, puts its own child windows at run time:
# the send-mail window's status line and progress bar. They draw their own
# faces, so the picture only sinks the strip into the panel.
sunken_strips() {  # one "l,t,r,b" a line
  case $1 in
    SendMail) echo '20,290,460,308' ;;
  esac
}
# The label on the left of an edit box, from the edit's name.
edit_label() {
  case ${1##*_Edit_} in
    Name) echo 'Name:' ;;
    Email) echo 'E-mail:' ;;
    To) echo 'To:' ;;
    CC) echo 'Cc:' ;;
    Subject) echo 'Subject:' ;;
  esac
}

# Text 12 points high stands about 14 pixels from its top to the foot of
# its descenders; labels centre on their box by that.
LABEL_HEIGHT=14
LABEL_LEFT=20

# draw_background TEMPLATE FILE MOVERECT EDITS: EDITS holds "NAME|RECT"
# lines. Boxes get a rim one pixel outside the rectangle, so the child
# window over it covers white only; a sunken strip's edges lie outside it
# for the same reason.
draw_background() {
  local name=$1 file=$2 moverect=$3 edits=$4
  local size w h strip=0 l t r b edit rect label
  size=$(window_size "$name")
  w=${size%x*} h=${size#*x}
  if [ -n "$moverect" ]; then IFS=, read -r _ _ _ strip <<< "$moverect"; fi
  local shapes=(-fill "$TITLE_BAR" -stroke none -draw "rectangle 0,0 $(( w - 1 )),$(( strip - 1 ))")
  local words=()
  while IFS='|' read -r rect label; do
    [ -n "$rect" ] || continue
    IFS=, read -r l t r b <<< "$rect"
    shapes+=(-fill "$BOX" -stroke "$BOX_RIM" -draw "rectangle $(( l - 1 )),$(( t - 1 )) $r,$b")
    if [ -n "$label" ]; then words+=(-annotate "+$l+$(( t - LABEL_HEIGHT - 2 ))" "$label"); fi
  done <<< "$(child_boxes "$name")"
  # Shade above and to the left, light below and to the right: the button
  # edges turned round, as a pressed button is.
  while IFS= read -r rect; do
    [ -n "$rect" ] || continue
    IFS=, read -r l t r b <<< "$rect"
    shapes+=(-fill none -stroke "$SHADE_DOWN"
      -draw "line $(( l - 1 )),$(( t - 1 )) $r,$(( t - 1 )) line $(( l - 1 )),$(( t - 1 )) $(( l - 1 )),$b"
      -stroke "$LIGHT" -draw "line $l,$b $r,$b line $r,$t $r,$b")
  done <<< "$(sunken_strips "$name")"
  while IFS='|' read -r edit rect; do
    [ -n "$rect" ] || continue
    IFS=, read -r l t r b <<< "$rect"
    shapes+=(-fill "$BOX" -stroke "$BOX_RIM" -draw "rectangle $(( l - 1 )),$(( t - 1 )) $r,$b")
    label=$(edit_label "$edit")
    if [ -n "$label" ]; then
      words+=(-annotate "+$LABEL_LEFT+$(( t + (b - t - LABEL_HEIGHT) / 2 ))" "$label")
    fi
  done <<< "$edits"
  # shellcheck disable=SC2086  # FONT and FONT_BOLD are empty or two words
  save -size "$size" "xc:$PANEL" +antialias "${shapes[@]}" \
    -fill none -stroke "$FRAME" -draw "rectangle 0,0 $(( w - 1 )),$(( h - 1 ))" \
    -antialias -stroke none -gravity NorthWest \
    -fill "$TITLE_INK" $FONT_BOLD -pointsize 13 \
    -annotate "+10+$(( (strip - LABEL_HEIGHT) / 2 ))" "$(window_title "$name")" \
    -fill "$INK" $FONT -pointsize 12 "${words[@]}" \
    "$file"
}

# draw_template FILE.DTP: its buttons, then its background with its edits.
draw_template() {
  local kind name a b c d title='' background='' moverect='' edits=''
  while IFS='|' read -r kind name a b c d; do
    case $kind in
      template) title=$name background=$a moverect=$b ;;
      button) draw_button "$name" "$a" "$b" "$c" "$d" ;;
      edit) edits+="$name|$a"$'\n' ;;
    esac
  done <<< "$(parse_dtp "$1")"
  draw_background "$title" "$background" "$moverect" "$edits"
}

mkdir -p "$out"
# A run cut short must not leave the folder looking finished.
rm -f "$out/.complete"
cd "$out"
for t in "${templates[@]}"; do
  cp "$here/$t.DTP" "$t.DTP"
  draw_template "$t.DTP"
done
touch .complete
