# The two commands of a fresh Debian machine:
#   make run   install what is missing, build, start the editor under Wine
#   make test  install what is missing, build all presets, run every test
.PHONY: run test

run:
	scripts/bootstrap.sh
	scripts/build.sh win64
	scripts/run-editor.sh

test:
	scripts/bootstrap.sh
	scripts/build.sh native win64 win32
	scripts/run-tests.sh native win64
