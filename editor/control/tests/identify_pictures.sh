#!/bin/sh
# The page pictures the control tests wrote, decoded by ImageMagick: three pages in each format,
# each at the page size the test recorded.
identify=$1
folder=$2
size=$(tr -d "\r" <"$folder/size.txt") || { echo "no size.txt in $folder"; exit 1; }
width=${size% *}
height=${size#* }
status=0
for ext in png jpg bmp gif; do  # as the test typed them
    for page in song song_1 song_2; do
        file="$folder/$page.$ext"
        got=$("$identify" -format '%w %h' "$file" 2>&1) || { echo "$file: $got"; status=1; continue; }
        if [ "$got" != "$width $height" ]; then
            echo "$file: $got, expected $width $height"
            status=1
        fi
    done
done
[ $status -eq 0 ] && echo "12 pictures decoded at $width x $height"
exit $status
