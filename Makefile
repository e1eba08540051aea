# The two commands of the README, and the release files.
B32 := build/i686
B32T := build/i686-tests
B64 := build/x86_64
JOBS ?= 2
SHIPPED := $(CURDIR)/dist/gen_ZEM.dll

.PHONY: all dist demo demo-build test setup dll tree-dll build-tests tree-32t tree-64 bench clean

all dist: dll

# Packages first (32-bit Wine among them), then a way to run 32-bit programs.
setup:
	@bash scripts/setup.sh
	@bash scripts/setup-i386.sh

# What users download: the 32-bit DLL with its help page, and the zip and
# the installer named with the version.
dll: setup
	@$(MAKE) --no-print-directory tree-dll

tree-dll:
	cmake -S . -B $(B32) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686.cmake
	cmake --build $(B32) -j $(JOBS)
	mkdir -p dist
	cp $(B32)/bin/gen_ZEM.dll $(B32)/bin/gen_ZEM.html $(B32)/release/gen_ZEM-*.zip \
	   $(B32)/release/gen_ZEM-*-setup.exe dist/

# The suite in both builds: the 32-bit tree runs the shipped DLL itself
# among 32-bit stand-ins (and holds the demo: one configuration, so that
# nothing is built twice), the x86_64 tree a build of its own. The two are
# built side by side, each target's output shown whole when it ends.
CONFIGURE_32T := cmake -S . -B $(B32T) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686.cmake \
	-DZEM_TESTS=ON -DSHIPPED_DLL=$(SHIPPED)
build-tests: setup
	@$(MAKE) --no-print-directory -j 2 -O tree-32t tree-64

tree-32t: tree-dll
	$(CONFIGURE_32T)
	cmake --build $(B32T) -j $(JOBS)

tree-64:
	cmake -S . -B $(B64) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake -DZEM_TESTS=ON \
	      -DSHIPPED_DLL=
	cmake --build $(B64) -j $(JOBS)

# Both suites run side by side, each in Wine slots of its own; either
# failing fails the run.
test: build-tests
	@bash scripts/test-suites.sh $(B32T) $(B64)

# The cost of an update cycle: this tree against the commit BENCH_BASE, the
# cycle as it was before it was made cheaper (README, "The cost of a cycle").
BENCH_BASE ?= 91b6246
bench: build-tests
	bash scripts/bench.sh $(B64) $(BENCH_BASE)

# The shipped DLL among 32-bit stand-ins, under Wine; screenshots in out/.
# What setup and the build print goes to out/demo-build.log, shown only when
# a step fails: the first screen is the demo's timeline.
DEMO_LOG := out/demo-build.log
demo:
	@rm -f $(DEMO_LOG)
	@bash scripts/step.sh "installing what is missing" $(DEMO_LOG) bash scripts/setup.sh
	@bash scripts/step.sh "letting this machine run 32-bit programs" $(DEMO_LOG) \
	      bash scripts/setup-i386.sh
	@bash scripts/step.sh "building the plug-in" $(DEMO_LOG) $(MAKE) --no-print-directory dll
	@bash scripts/step.sh "building the stand-ins and the demo" $(DEMO_LOG) $(MAKE) \
	      --no-print-directory demo-build
	@bash scripts/demo.sh $(B32T) out

demo-build:
	$(CONFIGURE_32T)
	cmake --build $(B32T) -j $(JOBS) --target demo

# A test run cut short may leave the read-only test folders mounted.
clean:
	-@for tree in $(B32T) $(B64); do \
	    [ ! -d $$tree ] || sh tests/readonly_folder.sh unmount $$tree/bin/readonly-plugins >/dev/null; \
	done
	rm -rf build dist out
