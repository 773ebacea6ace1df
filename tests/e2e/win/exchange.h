/* The folder through which the test programs, the test DLLs and the scripts around them exchange files
 * inside the Wine prefix, and the names of those files. C and C++ use these as narrow literals or, through
 * KWT_WIDE, as wide ones; the scripts read them through kw_exchange in tools/lib.sh, which understands a
 * definition made of literals and of names defined above it, nothing more. */
#ifndef KWT_EXCHANGE_H
#define KWT_EXCHANGE_H

#define KWT_WIDE(literal) L"" literal

#define KWT_DIR "C:\\kwtest"
/* Emptied at the start and the end of every area. */
#define KWT_OUT_DIR KWT_DIR "\\out"

/* What the test rasapi32.dll reports ("3", "0", "error 5"), read anew on every call. */
#define KWT_RAS_ORDER KWT_DIR "\\ras.txt"
/* Its last call: "dwSize=<n> cb=<n> calls=<n> order=<order> result=<n>". */
#define KWT_RAS_LOG KWT_DIR "\\ras-log.txt"
/* Written by it when the program frees it while a notification is registered. */
#define KWT_RAS_FREED KWT_OUT_DIR "\\ras-freed.txt"
/* The bench's request that it count the program's handles and memory, and its answer. */
#define KWT_MEASURE_REQUEST KWT_DIR "\\measure.txt"
#define KWT_MEASURE_REPLY KWT_OUT_DIR "\\measured.txt"
/* Added to the name of the test rasapi32.dll in system32 while an area has moved it away. */
#define KWT_AWAY_SUFFIX ".kwtest-away"

/* Written by the iphlpapi.dll planted beside the program when it is loaded. */
#define KWT_PLANTED_IPHLPAPI KWT_OUT_DIR "\\planted-iphlpapi.txt"

/* The requests that the adapter area's script carries out on the Linux host, and its answers. */
#define KWT_HOST_DIR KWT_DIR "\\host"
#define KWT_HOST_REQUEST KWT_HOST_DIR "\\request"
#define KWT_HOST_DONE KWT_HOST_DIR "\\done"

/* The screenshot scene: the window's rectangle once it is up, and the host's word that it has its picture. */
#define KWT_SHOW_READY KWT_DIR "\\show-ready.txt"
#define KWT_SHOW_DONE KWT_DIR "\\show-done.txt"

/* The bench's idling: begun, ended, and the host's word that it has read the CPU times. */
#define KWT_IDLE_BEGIN KWT_OUT_DIR "\\idle-begin"
#define KWT_IDLE_END KWT_OUT_DIR "\\idle-end"
#define KWT_IDLE_READ KWT_OUT_DIR "\\idle-read"

#endif
