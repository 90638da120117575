.PHONY: test run bench build clean

test:
	scripts/test.sh

run:
	scripts/run.sh

bench:
	scripts/bench.sh

build:
	scripts/deps.sh && scripts/build.sh

clean:
	rm -rf build
