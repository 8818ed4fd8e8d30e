// Builds a hot loop once per vector width and lets the loader pick the
// widest the processor has. Each lane does the same IEEE operations in every
// build (korin_core is compiled without floating-point contraction), so the
// results do not depend on which build runs. Defining KORIN_VECTOR_CLONES
// empty on the command line gives the plain build alone.
#pragma once

#ifndef KORIN_VECTOR_CLONES
#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define KORIN_VECTOR_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#endif
#endif
#endif

#ifndef KORIN_VECTOR_CLONES
#define KORIN_VECTOR_CLONES
#endif
