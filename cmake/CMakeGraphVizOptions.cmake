# Options for `cmake --graphviz` (scripts/dependency-graph.sh): our libraries
# and programs and the outside libraries they link directly (the table marks
# Qt), without tests, benchmarks and tools.
set(GRAPHVIZ_GRAPH_NAME "Web Lumivista")
set(GRAPHVIZ_EXTERNAL_LIBS TRUE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "_tests$" "^bench_" "^fuzz_" "^generator_floor$" "^window_run_bench$"
                            "^lumivista-screenshots$" "^lumivista_test_support$" "^lumivista_test_main$")
