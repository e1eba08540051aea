# The two commands of the README, and the release files.
B32 := build/i686
B64 := build/x86_64
JOBS ?= 2

.PHONY: all dist demo test setup dll build-tests bench clean

all dist: dll

setup:
	@bash scripts/setup.sh

# What users download: the 32-bit DLL with its help page, and the zip and
# the installer named with the version.
dll: setup
	cmake -S . -B $(B32) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686.cmake
	cmake --build $(B32) -j $(JOBS)
	mkdir -p dist
	cp $(B32)/bin/gen_ZEM.dll $(B32)/bin/gen_ZEM.html $(B32)/release/gen_ZEM-*.zip \
	   $(B32)/release/gen_ZEM-*-setup.exe dist/

# The tests run the x86_64 build under Wine; they also check the 32-bit DLL.
build-tests: dll
	cmake -S . -B $(B64) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake \
	      -DZEM_TESTS=ON -DSHIPPED_DLL=$(CURDIR)/dist/gen_ZEM.dll
	cmake --build $(B64) -j $(JOBS)

test: build-tests
	bash scripts/test-session.sh $(B64)

# The cost of an update cycle: this tree against the commit BENCH_BASE, the
# cycle as it was before it was made cheaper (README, "The cost of a cycle").
BENCH_BASE ?= 91b6246
bench: build-tests
	bash scripts/bench.sh $(B64) $(BENCH_BASE)

# The x86_64 plug-in among the stand-ins, under Wine; screenshots in out/.
demo: setup
	cmake -S . -B $(B64) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake -DZEM_DEMO=ON
	cmake --build $(B64) -j $(JOBS) --target demo
	@bash scripts/demo.sh $(B64) out

# A test run cut short may leave the read-only test folder mounted.
clean:
	-@[ ! -d $(B64) ] || sh tests/readonly_folder.sh unmount $(B64)/bin/readonly-plugins >/dev/null
	rm -rf build dist out
