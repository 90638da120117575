.PHONY: test run bench build dist clean

test:
	scripts/test.sh

run:
	scripts/run.sh

bench:
	scripts/bench.sh

build:
	scripts/deps.sh && scripts/build.sh

dist:
	scripts/dist.sh

clean:
	rm -rf build
