module shapes
  use iso_c_binding
  use constants
  implicit none
contains
  real(dp) function square_area(side)
    real(dp), intent(in) :: side
    square_area = side * side
  end function square_area

  ! For the C and C++ programs.
  real(c_double) function circle_area(radius) bind(c, name='circle_area')
    real(c_double), value :: radius
    circle_area = pi * radius * radius
  end function circle_area

  ! For the C programs: the Fortran runtime at work under a C main program.
  subroutine describe_circle(radius) bind(c, name='describe_circle')
    real(c_double), value :: radius
    print '(a,f0.2)', 'circle area ', circle_area(radius)
  end subroutine describe_circle
end module shapes
