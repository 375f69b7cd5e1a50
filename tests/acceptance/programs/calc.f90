program calc
  use iso_c_binding
  implicit none
  interface
    function add_ints(a, b) bind(c, name='add_ints')
      import :: c_int
      integer(c_int), value :: a, b
      integer(c_int) :: add_ints
    end function add_ints
  end interface
  print '(a, i0)', '2 + 3 = ', add_ints(2_c_int, 3_c_int)
end program calc
