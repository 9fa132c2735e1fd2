# Options for `cmake --graphviz` (scripts/dependency-graph.sh): our libraries
# and programs only, without tests, benchmarks and outside libraries.
set(GRAPHVIZ_GRAPH_NAME "Web Lumivista")
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "_tests$" "^bench_" "^fuzz_" "^generator_floor$" "^lumivista-screenshots$"
                            "^lumivista_test_support$")
