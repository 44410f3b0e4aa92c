# Reading the game's screen the way a player does, for the end-to-end tests.
# Sourced by a script that runs on the game's Xvfb display; needs ImageMagick.
# Screen geometry (800 x 600): heads-up rows are 50 row units tall, row units run
# 1600 across the width and 1600 down the height.

# shot <file>: a screenshot of the whole screen.
shot() { import -window root "$1"; }

# rmse <a> <b>: normalised root-mean-square difference, 0 (same) to 1.
rmse() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed -E 's/.*\(([0-9.e+-]+)\).*/\1/'; }

# less_than <x> <y>: true when the number x is below y.
less_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

# crop <shot> <w> <h> <x> <y> <out>
crop() { convert "$1" -crop "$2x$3+$4+$5" +repage "$6"; }

# The title picture, scaled to the screen, in $work/ref_begin.png: prepare_title <data
# folder>. Then title_difference [name] takes a screenshot ($work/<name>.png, "now" by
# default) and gives its difference from the picture; showing_title and left_title
# [name] tell whether the screen shows the title. is_title and is_not_title <shot> tell
# it of a screenshot taken already.
prepare_title() { convert "$1/screen_begin.jpg" -resize 800x600\! "$work/ref_begin.png"; }
title_difference() { shot "$work/${1:-now}.png"; rmse "$work/${1:-now}.png" "$work/ref_begin.png"; }
is_title() { less_than "$(rmse "$1" "$work/ref_begin.png")" 0.15; }
is_not_title() { less_than 0.2 "$(rmse "$1" "$work/ref_begin.png")"; }
# title_corners <shot>: each 40 x 40 corner of the screenshot has the title picture's own
# colour there, within 12 levels; otherwise names the first one that differs and fails.
title_corners() {
    local shot=$1 corner x y r1 g1 b1 r2 g2 b2 delta
    for corner in "0 0" "760 0" "0 560" "760 560"; do
        read -r x y <<< "$corner"
        crop "$shot" 40 40 "$x" "$y" "$work/c1.png"
        crop "$work/ref_begin.png" 40 40 "$x" "$y" "$work/c2.png"
        read -r r1 g1 b1 <<< "$(mean_rgb "$work/c1.png")"
        read -r r2 g2 b2 <<< "$(mean_rgb "$work/c2.png")"
        for delta in $((r1 - r2)) $((g1 - g2)) $((b1 - b2)); do
            if [ "${delta#-}" -gt 12 ]; then
                echo "title corner at $x,$y is $r1 $g1 $b1, the picture $r2 $g2 $b2"
                return 1
            fi
        done
    done
}
showing_title() { shot "$work/${1:-now}.png" && is_title "$work/${1:-now}.png"; }
left_title() { shot "$work/${1:-now}.png" && is_not_title "$work/${1:-now}.png"; }

# ground <name>: the ground before the tank, from a screenshot, in $work/<name>.png
# (ground_of <shot> <name>: from a screenshot taken already). ground_moved: it differs
# from $work/still.png; ground_still: two looks half a second apart show the same
# picture. grounds_differ and grounds_same <name> <name> compare two of them.
ground_of() { crop "$1" 800 200 0 380 "$work/$2.png"; }
ground() { shot "$work/now.png" && ground_of "$work/now.png" "$1"; }
grounds_differ() { less_than 0.05 "$(rmse "$work/$1.png" "$work/$2.png")"; }
grounds_same() { less_than "$(rmse "$work/$1.png" "$work/$2.png")" 0.005; }
ground_moved() { ground moved && grounds_differ still moved; }
ground_still() { ground still && sleep 0.5 && ground again && grounds_same still again; }

# keys_let_go_elsewhere: with the game playing in its window, W, A and Space held there,
# the keyboard focus moved to another window ($other, killed by the caller's trap if
# need be) and the keys let go in it: the tank must stop driving, turning and firing,
# and coast to a stop. Needs check.sh.
keys_let_go_elsewhere() {
    local game_window other_window
    xev -geometry 100x100+0+0 > /dev/null &
    other=$!
    # Its name comes before it is mapped, and only a mapped window can take the focus.
    wait_until 10 xdotool search --onlyvisible --name '^Event Tester$' > /dev/null || fail "no other window"
    other_window=$(xdotool search --onlyvisible --name '^Event Tester$' | head -1)
    game_window=$(xdotool search --onlyvisible --name '^Trelvane$' | head -1)
    # The keyboard given to the game's window, as a window manager gives it (with none,
    # X lets the pointer decide, and Wine sees no window lose the keyboard).
    xdotool windowfocus --sync "$game_window"
    ground still
    xdotool keydown w keydown a keydown space
    wait_until 30 ground_moved || fail "the ground did not move while driving"
    xdotool windowfocus --sync "$other_window" || fail "the focus did not move to the other window"
    xdotool keyup w keyup a keyup space
    if wait_until 20 ground_still; then echo "ok: keys let go in another window stop the tank"; else
        fail "the tank drove on after its keys were let go in another window"
    fi
    xdotool windowfocus --sync "$game_window"
    kill "$other"
    wait "$other" 2>/dev/null
    other=""
}

# mean_rgb <image>: "r g b" mean colour, each 0 to 255.
mean_rgb() {
    convert "$1" -resize 1x1\! -depth 8 -format '%[fx:int(255*r+.5)] %[fx:int(255*g+.5)] %[fx:int(255*b+.5)]' info:
}

# Glyph references: the middle of a glyph scaled to one glyph cell on screen (25 x 19
# pixels), softened so that which texel the game's sampling picked does not matter.
GLYPH_NAMES=(0 1 2 3 4 5 6 7 8 9 - / % .)
GLYPH_FILES=(number_0 number_1 number_2 number_3 number_4 number_5 number_6 number_7 number_8
             number_9 number_- number_Slash number_% number_Decimal)
prepare_glyphs() {  # <data folder> <work folder>
    local i
    for i in "${!GLYPH_FILES[@]}"; do
        convert "$1/${GLYPH_FILES[$i]}.jpg" -resize 25x19\! -crop 21x15+2+2 +repage -blur 0x0.7 \
            "$2/glyph_$i.png"
    done
}

# row_top <row y in row units>: the screen row of the top edge of a heads-up row.
row_top() { echo $(( (30 - ($1 + 50)) * 3 / 8 + 1 )); }

# best_match <image> <part>: the smallest normalised difference of part anywhere in
# image.
best_match() {
    compare -metric RMSE -dissimilarity-threshold 1 -subimage-search "$1" "$2" null: 2>&1 |
        sed -nE 's/.*\(([0-9.e+-]+)\).*/\1/p' | head -1
}

# read_row <shot> <row y> <cells> <work>: the glyphs of a heads-up row as text, one
# character per cell, '_' for a cell that matches no glyph. Each cell is searched a
# few pixels around its place, so a pixel of rounding does not matter.
read_row() {
    local shot=$1 y=$2 cells=$3 work=$4 text="" cell top x best bestScore score i
    top=$(row_top "$y")
    for ((cell = 0; cell < cells; cell++)); do
        x=$(( (275 + 50 * cell - 10) / 2 ))
        convert "$shot" -crop "31x25+$((x - 3))+$((top - 3))" +repage -blur 0x0.7 "$work/cell.png"
        best="_"; bestScore=0.14
        for i in "${!GLYPH_NAMES[@]}"; do
            score=$(best_match "$work/cell.png" "$work/glyph_$i.png")
            if less_than "$score" "$bestScore"; then best=${GLYPH_NAMES[$i]}; bestScore=$score; fi
        done
        text+=$best
    done
    echo "$text"
}

# Row positions of the play screen and of the summary screens.
PLAY_SCORE=-1560 PLAY_LIVES=-1500 PLAY_TURBO=-1440 PLAY_TANKS=-1380 PLAY_LEVEL=-1320 PLAY_ACCURACY=-1260
SUMMARY_SCORE=-1560 SUMMARY_LIVES=-1500 SUMMARY_TANKS=-1440 SUMMARY_LEVEL=-1380 SUMMARY_ACCURACY=-1320
