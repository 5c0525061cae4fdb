# Entry points for people and CI. The build itself is CMake (CMakePresets.json).
#   make check   install what is missing, check the formatting of the files the
#                last commit and the working tree change, build every tree,
#                run every test
#   make native | native-fuzz | win64 | win32    build one tree
#   make test-native | test-fuzz | test-win64 | test-win32    test one tree
#   make deps    only the set-up (packages, cached cross builds)
#   make bench   benchmarks, each printing its ratio against a peer
#   make bench-win64   the Windows benchmarks, under Wine
#   make demo    build the player and the packer, make a demo card and start it
#                under Wine (DEMO_ARGS=--headless: screenshots, no display needed)

TREES := native native-fuzz win64 win32

.PHONY: check deps clean bench bench-win64 $(TREES) test-native test-fuzz test-win64 test-win32

check: deps
	@scripts/check-format.sh
	@$(MAKE) --no-print-directory $(TREES)
	@$(MAKE) --no-print-directory test-native test-fuzz test-win64 test-win32

deps:
	@scripts/setup-deps.sh

$(TREES):
	cmake --preset $@ --log-level=WARNING
	cmake --build --preset $@

test-native:
	ctest --preset native
test-fuzz:
	ctest --preset native-fuzz
# Tests that depend on Wine's device timing run apart and may be retried.
test-win64:
	@status=0; ctest --preset win64 || status=1; \
	 ctest --preset win64-device-timing || status=1; exit $$status
test-win32:
	ctest --preset win32

# Benchmarks against their peers (not part of check).
bench: native
	cmake --build --preset native --target kz8_bench

bench-win64: win64
	scripts/wine-run.sh build/win64/bench/win32/bench_template_window.exe \
	    build/win64/fixtures/skinui/templates/form.dtp \
	    build/win64/fixtures/skinui/templates/controls.dtp
	scripts/wine-run.sh build/win64/bench/win32/bench_vexil2_exports.exe \
	    build/win64/skinui/dll/Vexil2.dll build/win64/fixtures/skinui/templates/form.dtp
	mail/tests/smtp_test_servers.py start build/bench-smtp
	scripts/wine-run.sh build/win64/bench/win32/bench_smtp_send.exe Z:$(CURDIR)/build/bench-smtp; \
	 status=$$?; mail/tests/smtp_test_servers.py stop build/bench-smtp; exit $$status
	scripts/wine-run.sh build/win64/bench/win32/bench_capture_render.exe \
	    'Z:$(subst /,\,$(CURDIR))\build\win64\outside\capture'
	@# ffmpeg's cost of a 640 x 480 BMP a frame, measured here in the same run.
	@start=$$(date +%s%N); ffmpeg -loglevel error -f lavfi -i testsrc2=s=640x480:r=30 \
	  -frames:v 300 -pix_fmt bgr24 -c:v bmp -f image2pipe - >/dev/null && \
	 peer=$$(( ($$(date +%s%N) - start) / 300000 )) && \
	 scripts/wine-run.sh build/win64/bench/win32/bench_vidgrab.exe \
	    'Z:$(subst /,\,$(CURDIR))\build\win64\outside\capture' $$peer
	@# Filmpack.dll on a 10 s MS Video 1 clip against ffmpeg reading the same clip.
	@mkdir -p build/bench-movie && ffmpeg -v error -y -f lavfi -i testsrc2=s=640x480:r=30 \
	  -f lavfi -i sine=f=440:sample_rate=22050 -t 10 -c:v msvideo1 -c:a pcm_u8 -ac 1 \
	  build/bench-movie/clip.avi && \
	 start=$$(date +%s%N) && ffmpeg -v error -y -threads 1 -i build/bench-movie/clip.avi \
	  -vf scale=320:240:flags=area -c:v mjpeg -tag:v jpeg -q:v 6 -pix_fmt yuvj420p \
	  -c:a pcm_u8 -ar 22050 -ac 1 -f mov build/bench-movie/peer.mov && \
	 peer=$$(echo "scale=3; ($$(date +%s%N) - $$start) / 1000000000" | bc) && \
	 scripts/wine-run.sh build/win64/bench/win32/bench_filmpack.exe \
	    'Z:$(subst /,\,$(CURDIR))\build\win64\movie\Filmpack.dll' \
	    'Z:$(subst /,\,$(CURDIR))\build\bench-movie\clip.avi' \
	    'Z:$(subst /,\,$(CURDIR))\build\bench-movie\ours.mov' $$peer
	@# Submission over TLS 1.3 (GnuTLS's defaults: Wine's Schannel caps at 1.2
	@# otherwise) against smtplib with the same bytes, in one run.
	mail/tests/smtp_test_servers.py start build/bench-smtp
	@ours=$$(GNUTLS_SYSTEM_PRIORITY_FILE=$(CURDIR)/build/win64/gnutls-defaults \
	  scripts/wine-run.sh build/win64/bench/win32/bench_secure_send.exe Z:$(CURDIR)/build/bench-smtp) && \
	 echo "$$ours" && grep -h '"tls"' build/bench-smtp/bench/1.json && \
	 bench/smtp_submission_peer.py build/smtp-certificates build/bench-smtp/bench/1.eml 7 \
	  "$$(echo "$$ours" | awk '{print $$(NF-1)}')"; \
	 status=$$?; mail/tests/smtp_test_servers.py stop build/bench-smtp; exit $$status

clean:
	rm -rf build

# Only the player and the packer: a whole tree is more than a demo needs.
.PHONY: demo
demo: deps
	@[ -f build/win64/build.ninja ] || cmake --preset win64 --log-level=WARNING
	cmake --build --preset win64 --target Kinetta
	@[ -f build/native/build.ninja ] || cmake --preset native --log-level=WARNING
	cmake --build --preset native --target cardpack
	scripts/demo.sh $(DEMO_ARGS)
