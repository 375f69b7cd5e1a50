! A sample program for the driver:  f90 -O2 -o hello hello.f90
program hello
  implicit none
  integer :: i, total

  total = 0
  do i = 1, 10
    total = total + i
  end do
  print '(a)', 'Hello from Fortran!'
  print '(a, i0)', 'The sum of 1 to 10 is ', total
end program hello
