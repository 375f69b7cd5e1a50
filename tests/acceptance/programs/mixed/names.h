/* The names of the Fortran library as the C code spells them: the suite's
   (upper case), -YVAR_NAMES=LCS's (-DLOWER) or gfortran's and g77's (-DGNU). */
#if defined(LOWER)
#define MEANSD meansd
#define DOTP dotp
#define CONFIG config
#define CNOTE cnote
#elif defined(GNU)
#define MEANSD meansd_
#define DOTP dotp_
#define CONFIG config_
#define CNOTE cnote_
#endif
