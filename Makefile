# The two commands: `make run` and `make test`; `make package` makes the Debian package,
# `make windows` the Windows program, its zip and its installer.
BUILD ?= build
TEST_BUILD ?= build-asan
WINDOWS_BUILD ?= build-windows
JOBS ?= $(shell nproc)

.PHONY: run test deps build package windows bench fuzz format clean mutate

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLO_TESTS=OFF >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd run && ../$(BUILD)/quillo

# build/quillo_<version>_amd64.deb, for `apt-get install ./build/quillo_*.deb`.
package: build
	cd $(BUILD) && cpack -G DEB

# build-windows/quillo.exe, quillo-<version>-win64.zip and quillo-<version>-setup.exe. SDL2,
# SDL2_mixer and GoogleTest are cross-built into build-windows/deps once.
windows: deps
	JOBS=$(JOBS) bash scripts/buildWindowsDeps.sh $(WINDOWS_BUILD)
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw64.cmake \
	  -DCMAKE_BUILD_TYPE=Release $(WINDOWS_CMAKE_ARGS) >/dev/null
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# The Linux tests, then the Windows build's under Wine, compared with the Linux program.
test: deps
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQUILLO_SANITIZE=ON >/dev/null
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory windows WINDOWS_CMAKE_ARGS=-DQUILLO_LINUX_PROGRAM=$(abspath $(TEST_BUILD))/quillo
	cd $(WINDOWS_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUILLO_TESTS=OFF -DQUILLO_BENCH=ON >/dev/null
	cmake --build build-bench -j $(JOBS) --target quillo_bench
	./build-bench/quillo_bench

fuzz: deps
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLO_TESTS=OFF -DQUILLO_FUZZ=ON >/dev/null
	cmake --build build-fuzz -j $(JOBS)

# Faults planted on the lines changed since BASE (default: main's merge base), within MINUTES
# (default 30); MUTANT=path:line:n replays one. See "How we test" in the README.
mutate: deps
	python3 scripts/mutate.py $(if $(BASE),--base $(BASE)) $(if $(MINUTES),--minutes $(MINUTES)) \
	  $(if $(FILES),--files '$(FILES)') $(if $(MUTANT),--replay $(MUTANT)) --jobs $(JOBS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(WINDOWS_BUILD) build-bench build-fuzz build-mutate
