/* Called from Fortran through bind(c). */
double c_sum(const double *values, int n) {
  double sum = 0;
  for (int i = 0; i < n; ++i) sum += values[i];
  return sum;
}
