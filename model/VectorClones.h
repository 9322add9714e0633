#pragma once
// The builds of the plain loops that the compiler vectorises: one for processors with AVX2
// and the baseline one, the loader picking the processor's. KRAFTBILD_NO_CLONES keeps the
// baseline alone, so that the benchmarks can weigh it on a processor with AVX2.

#if defined(__GNUC__) && defined(__x86_64__) && !defined(KRAFTBILD_NO_CLONES)
#define KRAFTBILD_VECTOR_CLONES [[gnu::target_clones("avx2", "default")]]
#else
#define KRAFTBILD_VECTOR_CLONES
#endif
