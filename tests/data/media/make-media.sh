#!/bin/sh
# Makes the sound and video samples of the media tests with other programs' encoders: sox for
# WAV, GStreamer's LAME and TwoLAME encoders for MPEG audio, its JPEG encoder and AVI muxer for
# video (the uncompressed RGB video it cannot write is written by make-rgb-avi.py), a MIDI file
# of Debian's openttd-openmsx package, and an RMI file wrapped around it by hand (printf). Run it
# in this folder; the files are kept in the repository.
set -eu
cd "$(dirname "$0")"

# Half a second of a 440 Hz tone, 8 kHz mono 16-bit.
sox -n -r 8000 -c 1 -b 16 tone.wav synth 0.5 sine 440
# Three quarters of a second of a tone as MPEG-2 layer 3 with its Xing header (which gives its
# length), and as MPEG-1 layer 2 (MPA).
gst-launch-1.0 -q audiotestsrc num-buffers=18 samplesperbuffer=1024 freq=660 ! audio/x-raw,rate=24000,channels=1 \
    ! audioconvert ! lamemp3enc bitrate=32 ! xingmux ! filesink location=tone.mp3
gst-launch-1.0 -q audiotestsrc num-buffers=36 samplesperbuffer=1024 freq=550 ! audio/x-raw,rate=48000,channels=1 \
    ! audioconvert ! twolamemp2enc bitrate=32 ! filesink location=tone.mpa
# One second of a test picture at 160 x 120, 10 pictures a second, motion JPEG with a tone.
gst-launch-1.0 -q avimux name=mux ! filesink location=clip.avi \
    videotestsrc num-buffers=10 pattern=smpte ! video/x-raw,width=160,height=120,framerate=10/1 \
        ! jpegenc quality=30 ! mux. \
    audiotestsrc num-buffers=8 samplesperbuffer=1000 ! audio/x-raw,rate=8000,channels=1,format=S16LE ! mux.
# Uncompressed RGB video, the oldest kind of AVI: 24-bit pixels stored from the bottom row up
# (GStreamer's AVI muxer turns the rows over as the format wants), 30 pixels wide so that each
# row is padded to four bytes, in three bands, red, green and blue from the top down; and the
# kinds no encoder here writes, by make-rgb-avi.py (16-bit pixels among them).
gst-launch-1.0 -q compositor name=bands background=black sink_1::ypos=8 sink_2::ypos=16 \
        ! video/x-raw,width=30,height=24 ! videoconvert ! video/x-raw,format=BGR ! avimux ! filesink location=rgb24.avi \
    videotestsrc pattern=red num-buffers=4 ! video/x-raw,width=30,height=8,framerate=10/1 ! bands. \
    videotestsrc pattern=green num-buffers=4 ! video/x-raw,width=30,height=8,framerate=10/1 ! bands. \
    videotestsrc pattern=blue num-buffers=4 ! video/x-raw,width=30,height=8,framerate=10/1 ! bands.
python3 make-rgb-avi.py
# The same bands in motion JPEG, for the colours of a video that a decoder turns into YUV first:
# four pictures of 32 x 48, each band 16 rows high, as high as the encoder's blocks, so that no
# colour runs into the next.
gst-launch-1.0 -q compositor name=bands background=black sink_1::ypos=16 sink_2::ypos=32 \
        ! video/x-raw,width=32,height=48 ! videoconvert ! jpegenc quality=90 ! avimux ! filesink location=bands-mjpeg.avi \
    videotestsrc pattern=red num-buffers=4 ! video/x-raw,width=32,height=16,framerate=10/1 ! bands. \
    videotestsrc pattern=green num-buffers=4 ! video/x-raw,width=32,height=16,framerate=10/1 ! bands. \
    videotestsrc pattern=blue num-buffers=4 ! video/x-raw,width=32,height=16,framerate=10/1 ! bands.
# A MIDI file as Debian ships it, and the same file in a RIFF MIDI wrapper:
# "RIFF" size "RMID" "data" size MIDI-data [pad byte].
cp /usr/share/games/openttd/baseset/openmsx/train_filled_with_cash.mid song.mid
le32() { printf "\\$(printf '%03o' $(($1 & 255)))\\$(printf '%03o' $(($1 >> 8 & 255)))\\$(printf '%03o' $(($1 >> 16 & 255)))\\$(printf '%03o' $(($1 >> 24 & 255)))"; }
size=$(wc -c <song.mid)
pad=$((size % 2))
{
    printf 'RIFF'; le32 $((4 + 8 + size + pad)); printf 'RMIDdata'; le32 "$size"; cat song.mid
    [ "$pad" -eq 1 ] && printf '\000'
} >song.rmi
# Short files of each kind, for tests that open and play them many times and for the first
# sound: a fifth of a second of a tone (WAV, MPEG layer 2), a fifth of a second of video with a
# tone, and a MIDI file of one note that sounds at once (a quarter of a second at 120 beats a
# minute, 96 ticks a beat), written with printf: the header chunk (format 0, one track), then the
# track: note on, 48 ticks, note off, end of track.
sox -n -r 8000 -c 1 -b 16 blip.wav synth 0.2 sine 660
gst-launch-1.0 -q audiotestsrc num-buffers=9 samplesperbuffer=1024 freq=550 ! audio/x-raw,rate=48000,channels=1 \
    ! audioconvert ! twolamemp2enc bitrate=32 ! filesink location=blip.mpa
gst-launch-1.0 -q avimux name=mux ! filesink location=blip.avi \
    videotestsrc num-buffers=2 pattern=ball ! video/x-raw,width=160,height=120,framerate=10/1 \
        ! jpegenc quality=30 ! mux. \
    audiotestsrc num-buffers=2 samplesperbuffer=800 ! audio/x-raw,rate=8000,channels=1,format=S16LE ! mux.
{
    printf 'MThd\000\000\000\006\000\000\000\001\000\140'
    printf 'MTrk\000\000\000\014\000\220\074\144\060\200\074\100\000\377\057\000'
} >blip.mid
# Files that cannot be played: cut inside the MIDI tracks, cut inside the WAV header, not a
# medium at all, and empty.
head -c 4000 song.mid >truncated.mid
head -c 30 tone.wav >truncated.wav
printf 'This is not a video.\n' >garbage.avi
: >empty.mpa

# The formats of today, a fifth of a second each: a tone as Ogg Vorbis and as FLAC (GStreamer's
# vorbis and FLAC encoders), and a moving test picture of 64 x 48 with a tone as WebM (VP8 and
# Vorbis) and as MP4 (H.264 by x264 and AAC by libav's encoder).
gst-launch-1.0 -q audiotestsrc num-buffers=2 samplesperbuffer=800 freq=660 ! audio/x-raw,rate=8000,channels=1 \
    ! audioconvert ! vorbisenc ! oggmux ! filesink location=blip.ogg
gst-launch-1.0 -q audiotestsrc num-buffers=2 samplesperbuffer=800 freq=660 ! audio/x-raw,rate=8000,channels=1,format=S16LE \
    ! flacenc ! filesink location=blip.flac
gst-launch-1.0 -q webmmux name=mux ! filesink location=blip.webm \
    videotestsrc num-buffers=2 pattern=ball ! video/x-raw,width=64,height=48,framerate=10/1 ! vp8enc ! mux. \
    audiotestsrc num-buffers=2 samplesperbuffer=800 ! audio/x-raw,rate=8000,channels=1 ! audioconvert ! vorbisenc ! mux.
gst-launch-1.0 -q mp4mux name=mux ! filesink location=blip.mp4 \
    videotestsrc num-buffers=2 pattern=ball ! video/x-raw,width=64,height=48,framerate=10/1 ! x264enc ! mux. \
    audiotestsrc num-buffers=2 samplesperbuffer=1024 ! audio/x-raw,rate=8000,channels=1 ! audioconvert ! avenc_aac ! aacparse ! mux.
# Opus in Ogg, WMA (libav's WMA 2 encoder in GStreamer's ASF muxer), and a Matroska file of VP8
# video alone.
gst-launch-1.0 -q audiotestsrc num-buffers=2 samplesperbuffer=960 freq=660 ! audio/x-raw,rate=48000,channels=1 \
    ! audioconvert ! opusenc ! oggmux ! filesink location=blip.opus
gst-launch-1.0 -q asfmux name=mux ! filesink location=blip.wma \
    audiotestsrc num-buffers=2 samplesperbuffer=800 ! audio/x-raw,rate=8000,channels=1 ! audioconvert ! avenc_wmav2 ! mux.
gst-launch-1.0 -q matroskamux name=mux ! filesink location=blip.mkv \
    videotestsrc num-buffers=2 pattern=ball ! video/x-raw,width=64,height=48,framerate=10/1 ! vp8enc ! mux.
# An MP4 cut inside its first box, which no demuxer can read.
head -c 20 blip.mp4 >truncated.mp4
