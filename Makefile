# Veltrane : deux commandes suffisent sur une machine neuve, « make run » et « make test ».
# Chacune installe d'abord ce qui manque (scripts/installe-dependances.sh).

BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_BENCH?= build-bench
BUILD_FUZZ ?= build-fuzz
JOBS       ?= 2
EXEMPLE    ?= exemples/famille-martin.ged
FUZZ_SECONDES ?= 60

.PHONY: all deps build run bureau test asan bench fuzz format clean install paquet

all: build

deps:
	@scripts/installe-dependances.sh

$(BUILD)/CMakeCache.txt: | deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: deps $(BUILD)/CMakeCache.txt
	@cmake --build $(BUILD) -j $(JOBS)

# L'exemple fourni : ce qu'il contient, puis la liste ascendante de Catherine Martin dans les
# quatre formats, écrite dans ./sortie/.
run: build
	@$(BUILD)/veltrane-cli $(EXEMPLE) info
	@mkdir -p sortie
	@for format in pdf texte rtf web; do \
	    $(BUILD)/veltrane-cli $(EXEMPLE) graphique liste-ascendante --racine @I44@ \
	        --format $$format --sortie sortie || exit 1; \
	done

# Installation (DESTDIR et PREFIX honorés : make install DESTDIR=/tmp/essai PREFIX=/usr) ;
# sans PREFIX, le CMAKE_INSTALL_PREFIX de la configuration (/usr/local par défaut).
install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

# Paquet Debian veltrane_<version>_amd64.deb, écrit ici ; dépendances calculées par
# dpkg-shlibdeps.
paquet: build
	@cd $(BUILD) && cpack -G DEB >/dev/null
	@cp $(BUILD)/veltrane_*_amd64.deb .
	@ls veltrane_*_amd64.deb

# Le programme de bureau (Qt 6).
bureau: build
	@$(BUILD)/veltrane $(FICHIER)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# ccache, s'il est là, garde les objets des constructions instrumentées (asan, fuzz).
asan: deps
	@cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DVELTRANE_SANITIZERS=ON \
		-DCMAKE_CXX_COMPILER_LAUNCHER=$$(command -v ccache) >/dev/null
	@cmake --build $(BUILD_ASAN) -j $(JOBS)
	@cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

# Les fichiers de mesure sont engendrés dans l'arbre de construction, jamais versionnés.
bench: deps
	@cmake -S . -B $(BUILD_BENCH) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_BENCH) -j $(JOBS)
	@bench/lance-mesures.sh $(BUILD_BENCH)

# Chaque fuzzer tourne FUZZ_SECONDES secondes ; une faute trouvée fait échouer la cible.
fuzz:
	@scripts/installe-dependances.sh --fuzz
	@cmake -S fuzz -B $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_CXX_COMPILER_LAUNCHER=$$(command -v ccache) >/dev/null
	@cmake --build $(BUILD_FUZZ) -j $(JOBS)
	@fuzz/lance-fuzz.sh $(BUILD_FUZZ) $(FUZZ_SECONDES)

format:
	@clang-format -i $$(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp')

clean:
	@rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_BENCH) $(BUILD_FUZZ)
