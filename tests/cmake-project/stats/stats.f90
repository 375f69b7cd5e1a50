module stats
  use iso_c_binding
  implicit none
  interface
    real(c_double) function c_sum(values, n) bind(c, name='c_sum')
      import :: c_double, c_int
      real(c_double), intent(in) :: values(*)
      integer(c_int), value :: n
    end function c_sum
    ! From the C library's mathematics (libm).
    real(c_double) function c_hypot(x, y) bind(c, name='hypot')
      import :: c_double
      real(c_double), value :: x, y
    end function c_hypot
  end interface
contains
  real(c_double) function mean(values)
    real(c_double), intent(in) :: values(:)
    mean = c_sum(values, size(values)) / size(values)
  end function mean

  ! For the C programs.
  real(c_double) function stats_mean(values, n) bind(c, name='stats_mean')
    integer(c_int), value :: n
    real(c_double), intent(in) :: values(n)
    stats_mean = mean(values)
  end function stats_mean

  real(c_double) function norm(x, y)
    real(c_double), intent(in) :: x, y
    norm = c_hypot(x, y)
  end function norm
end module stats
