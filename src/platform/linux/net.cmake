# Instance messages over a local socket and downloads: the parts of the platform that need Qt Network.
find_package(Qt6 6.4 REQUIRED COMPONENTS Network)
add_library(vantrelo_platform_linux_net STATIC ${CMAKE_CURRENT_LIST_DIR}/localinstance_linux.cpp ${CMAKE_CURRENT_LIST_DIR}/instancemessage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/netfetcher_linux.cpp)
target_include_directories(vantrelo_platform_linux_net PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(vantrelo_platform_linux_net PUBLIC vantrelo_platform Qt6::Core Qt6::Network)
