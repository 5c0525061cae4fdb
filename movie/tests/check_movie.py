#!/usr/bin/env python3
"""Checks a movie as ffprobe and ffmpeg see it; exits 1 with the reasons.

check_movie.py --manifest FILE   (one line of the arguments below per movie)
check_movie.py MOVIE --frame-duration D [--frames N | --most-frames N]
               [--sound-bytes N | --no-sound] [--sound-equals FILE]
               [--sound-chunks N,N,...]
               [--first-frame BGR_FILE --min-psnr DB]

The movie must probe without a warning: one 320 x 240 'jpeg' video stream
(mjpeg) with time base 1/600 and frame rate 600/D, every packet lasting D,
every frame decoding; and, unless --no-sound, one 22050 Hz mono pcm_u8
'raw ' stream. --first-frame compares the first frame with 320 x 240
BGR24 bytes and prints the PSNR.
"""
import argparse
import fractions
import json
import math
import struct
import subprocess
import sys


def run(command):
    done = subprocess.run(command, capture_output=True)
    return done.returncode, done.stdout, done.stderr.decode(errors="replace")


def atoms(data, start, end):
    """(type, body start, body end) of the atoms between start and end."""
    while start + 8 <= end:
        size = struct.unpack(">I", data[start:start + 4])[0]
        if size < 8 or start + size > end:
            return
        yield data[start + 4:start + 8].decode("latin-1"), start + 8, start + size
        start += size


def child(data, parent, name):
    return next((a for a in atoms(data, parent[1], parent[2]) if a[0] == name), None)


def sound_chunk_sizes(path):
    """Bytes in each chunk of the sound track, from its sample-to-chunk table."""
    data = open(path, "rb").read()
    moov = next(a for a in atoms(data, 0, len(data)) if a[0] == "moov")
    for trak in (a for a in atoms(data, moov[1], moov[2]) if a[0] == "trak"):
        mdia = child(data, trak, "mdia")
        hdlr = child(data, mdia, "hdlr")
        if data[hdlr[1] + 8:hdlr[1] + 12] != b"soun":
            continue
        stbl = child(data, child(data, mdia, "minf"), "stbl")
        stsc, stco = child(data, stbl, "stsc"), child(data, stbl, "stco")
        runs = [struct.unpack(">III", data[stsc[1] + 8 + 12 * i:stsc[1] + 20 + 12 * i])
                for i in range(struct.unpack(">I", data[stsc[1] + 4:stsc[1] + 8])[0])]
        chunks = struct.unpack(">I", data[stco[1] + 4:stco[1] + 8])[0]
        sizes = []
        for chunk in range(1, chunks + 1):
            sizes.append(next(r[1] for r in reversed(runs) if r[0] <= chunk))
        return sizes
    return []


def psnr(a, b):
    if len(a) != len(b) or not a:
        return 0.0
    error = sum((x - y) * (x - y) for x, y in zip(a, b)) / len(a)
    return 99.0 if error == 0 else 10 * math.log10(255 * 255 / error)


def check(args):
    problems = []
    status, out, err = run(["ffprobe", "-v", "warning", "-show_format", "-show_streams",
                            "-of", "json", args.movie])
    if status or err.strip():
        return [f"ffprobe: {err.strip() or status}"]
    streams = json.loads(out)["streams"]
    video = [s for s in streams if s["codec_type"] == "video"]
    audio = [s for s in streams if s["codec_type"] == "audio"]
    if len(video) != 1:
        return [f"{len(video)} video streams"]
    v = video[0]
    want = {"codec_name": "mjpeg", "codec_tag_string": "jpeg", "width": 320, "height": 240,
            "time_base": "1/600"}
    problems += [f"video {k} {v.get(k)!r}, not {w!r}" for k, w in want.items() if v.get(k) != w]
    if fractions.Fraction(v["r_frame_rate"]) != fractions.Fraction(600, args.frame_duration):
        problems.append(f"frame rate {v['r_frame_rate']}, not 600/{args.frame_duration}")
    frames = int(v.get("nb_frames", -1))
    if args.frames is not None and frames != args.frames:
        problems.append(f"{frames} frames, not {args.frames}")
    if args.most_frames is not None and not 1 <= frames <= args.most_frames:
        problems.append(f"{frames} frames, not 1 to {args.most_frames}")

    status, out, err = run(["ffprobe", "-v", "error", "-select_streams", "v", "-show_entries",
                            "packet=duration", "-of", "csv=p=0", args.movie])
    durations = set(line.strip() for line in out.decode().split())
    if durations != {str(args.frame_duration)}:
        problems.append(f"packet durations {sorted(durations)}")
    status, out, err = run(["ffmpeg", "-v", "error", "-xerror", "-i", args.movie, "-map", "0:v",
                            "-f", "framemd5", "-"])
    decoded = sum(1 for line in out.decode().splitlines() if line and not line.startswith("#"))
    if status or err.strip() or decoded != frames:
        problems.append(f"decoding: {decoded} of {frames} frames {err.strip()}")

    if args.no_sound:
        if audio:
            problems.append("a sound stream where none belongs")
    elif len(audio) != 1:
        problems.append(f"{len(audio)} sound streams")
    else:
        a = audio[0]
        want = {"codec_name": "pcm_u8", "codec_tag_string": "raw ", "sample_rate": "22050",
                "channels": 1}
        problems += [f"sound {k} {a.get(k)!r}, not {w!r}" for k, w in want.items()
                     if a.get(k) != w]
        status, pcm, err = run(["ffmpeg", "-v", "error", "-i", args.movie, "-map", "0:a",
                                "-f", "u8", "-"])
        if args.sound_bytes is not None and len(pcm) != args.sound_bytes:
            problems.append(f"{len(pcm)} bytes of sound, not {args.sound_bytes}")
        if args.sound_equals and pcm != open(args.sound_equals, "rb").read():
            problems.append(f"the sound differs from {args.sound_equals}")
        if args.sound_chunks:
            chunks = ",".join(str(size) for size in sound_chunk_sizes(args.movie))
            if chunks != args.sound_chunks:
                problems.append(f"sound chunks {chunks}, not {args.sound_chunks}")

    if args.first_frame:
        status, out, err = run(["ffmpeg", "-v", "error", "-i", args.movie, "-map", "0:v",
                                "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "bgr24", "-"])
        value = psnr(out, open(args.first_frame, "rb").read())
        print(f"{args.movie}: first frame PSNR {value:.1f} dB")
        if value < args.min_psnr:
            problems.append(f"first frame PSNR {value:.1f} dB, under {args.min_psnr}")
    return problems


def parser_of_arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument("movie")
    parser.add_argument("--frame-duration", type=int, required=True)
    parser.add_argument("--frames", type=int)
    parser.add_argument("--most-frames", type=int)
    parser.add_argument("--sound-bytes", type=int)
    parser.add_argument("--no-sound", action="store_true")
    parser.add_argument("--sound-equals")
    parser.add_argument("--sound-chunks")
    parser.add_argument("--first-frame")
    parser.add_argument("--min-psnr", type=float, default=30.0)
    return parser


def check_and_report(arguments):
    args = parser_of_arguments().parse_args(arguments)
    problems = check(args)
    for problem in problems:
        print(f"{args.movie}: {problem}", file=sys.stderr)
    return not problems


def main():
    if sys.argv[1:2] == ["--manifest"]:
        lines = [line.split() for line in open(sys.argv[2]) if line.strip()]
        if not lines:
            print(f"{sys.argv[2]}: no movies listed", file=sys.stderr)
            return 1
        results = [check_and_report(line) for line in lines]
        return 0 if all(results) else 1
    return 0 if check_and_report(sys.argv[1:]) else 1


if __name__ == "__main__":
    sys.exit(main())
