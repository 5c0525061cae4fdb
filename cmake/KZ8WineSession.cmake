# One X server and one resident wineserver for a whole CTest run of the
# Windows tests: every Windows test requires the fixture "wine_session".
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_test(NAME wine_session_start COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh --start-session)
    add_test(NAME wine_session_stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh --stop-session)
    set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine_session LABELS harness
        TIMEOUT 300)
    set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session LABELS harness)
endif()
